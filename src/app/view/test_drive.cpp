#include "app/view/test_drive.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTimer>
#include <memory>

#include "app/start_up.h"
#include "app/tembedded.h"
#include "app/view/main_window.h"

void installTestDrive(TEmbedded& app, MainWindow& window)
{
    const QString text = qEnvironmentVariable("TARNEL_TEST_TYPE");
    const QString press = qEnvironmentVariable("TARNEL_TEST_PRESS");
    if (text.isEmpty() && press.isEmpty())
        return;
    auto* poll = new QTimer(&window);
    auto typed = std::make_shared<bool>(text.isEmpty());
    auto pressed = std::make_shared<bool>(press.isEmpty());
    QObject::connect(poll, &QTimer::timeout, &window, [=, &app, &window] {
        if (!*pressed) {
            if (QWidget* box = QApplication::activeModalWidget()) {
                for (QAbstractButton* b : box->findChildren<QAbstractButton*>()) {
                    if (b->text().remove('&') == press) {
                        *pressed = true;
                        b->click();
                        return;
                    }
                }
            }
        }
        if (!*typed && app.startUp().done() && !QApplication::activeModalWidget()) {
            *typed = true;
            app.controls()["NewFile"].activate();
            const QList<QPlainTextEdit*> editors = window.findChildren<QPlainTextEdit*>();
            if (editors.isEmpty())
                return;
            for (const QChar c : text) {
                QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
                QCoreApplication::sendEvent(editors.back(), &key);
            }
        }
        if (*typed && *pressed)
            poll->stop();
    });
    poll->start(100);
}
