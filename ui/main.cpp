#include <QApplication>

#include "form1.h"
#include "qt_user_prompts.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QtUserPrompts prompts;
    Form1 window(prompts);
    if (!window.classDataLoaded()) {
        return 0;  // the user quit at the start
    }
    window.show();
    return QApplication::exec();
}
