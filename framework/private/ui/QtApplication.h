// Private to the framework: the Qt application object. Every input event passes the framework's
// get-message hooks here before Qt delivers it, and no exception thrown by framework code crosses Qt.
#pragma once

#include <QApplication>

class TQtApplication : public QApplication {
public:
    TQtApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};
