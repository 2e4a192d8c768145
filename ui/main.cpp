#include <QApplication>

#include "form1.h"
#include "qt_user_prompts.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QtUserPrompts prompts;
    Form1 window(prompts);
    window.show();
    return QApplication::exec();
}
