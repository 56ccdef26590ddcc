// The desktop host: message boxes show their text as it is, and a pause
// does not freeze the event loop.

#include "app/qt_host.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

TEST(QtHost, MessageBoxShowsThePlainTextWithItsBlanksAndAnOkButton)
{
    QtHost host;
    for (const QString& text :
         {QStringLiteral("      Brisel default Setting V03.06"), QStringLiteral("<b>PIC</b> V01.07")}) {
        QString seen;
        Qt::TextFormat format = Qt::AutoText;
        int buttons = 0;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            seen = box->text();
            format = box->textFormat();
            buttons = static_cast<int>(box->buttons().size());
            EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
            box->accept();
        });
        host.showMessage(text);
        EXPECT_EQ(seen, text);
        EXPECT_EQ(format, Qt::PlainText);
        EXPECT_EQ(buttons, 1);
    }
}

TEST(QtHost, APauseKeepsTheEventLoopRunningAndIsHeard)
{
    std::vector<int> heard;
    QtHost host([&](int ms) { heard.push_back(ms); });
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(1);
    host.pause(50);
    timer.stop();
    EXPECT_GT(ticks, 0);
    EXPECT_EQ(heard, std::vector<int>{50});
}

}  // namespace
