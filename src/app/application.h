#pragma once
// The application object. Errors are exceptions carrying the message text;
// no exception may pass through Qt's own frames, so the one place that catches
// what reaches the event loop is notify(): the handler that threw ends there
// and the standard error report shows the message.

#include <QApplication>

class TApplication : public QApplication {
    Q_OBJECT
public:
    TApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};
