#pragma once

#include <QTextStream>
#include <cstdlib>
#include <utility>

#include "user_prompts.h"

// Answers the file dialog with one fixed path and every message box with its
// default button, printing the message so that a refused file is seen.
class PathPrompts final : public UserPrompts {
public:
    explicit PathPrompts(QString path) : path_(std::move(path)) {}

    QString chooseOpenFile(QWidget*, const QString&, FileDialogPlace&,
                           const QStringList&) override {
        if (++dialogsShown_ > 1) {
            QTextStream(stderr) << "the class file was refused; stopping\n";
            std::exit(2);
        }
        return path_;
    }
    QString chooseSaveFile(QWidget*, const QString&, const QString&, const QStringList&,
                           const QString&) override {
        return {};
    }
    QMessageBox::StandardButton showMessage(QWidget*, const QString& title, const QString& text,
                                            QMessageBox::StandardButtons,
                                            QMessageBox::StandardButton defaultButton,
                                            QMessageBox::Icon) override {
        QTextStream(stderr) << title << ": " << text << '\n';
        return defaultButton;
    }

    int askChoice(QWidget*, const QString& title, const QString& text, const QStringList&,
                  int defaultChoice, int, QMessageBox::Icon) override {
        QTextStream(stderr) << title << ": " << text << '\n';
        return defaultChoice;
    }

    QString askText(QWidget*, const QString&, const QString&, const QString& text) override {
        return text;
    }

private:
    QString path_;
    int dialogsShown_ = 0;
};
