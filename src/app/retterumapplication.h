#pragma once

#include <QApplication>

// Catches what a command let through and shows it in the general error report; the program
// goes on.
class RetterumApplication : public QApplication {
    Q_OBJECT

public:
    RetterumApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;
};
