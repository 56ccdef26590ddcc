// The desktop host: message boxes show their text as it is, and neither a
// pause nor a request freezes the event loop.

#include "app/qt_host.h"
#include "app/responsive_transport.h"
#include "device/vendor_link.h"
#include "tests/support/fixture.h"

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

TEST(ResponsiveTransport, PassesEachRequestUnchangedAndLetsPendingEventsRun)
{
    emu::Emulator emulator;
    ResponsiveTransport responsive(emulator);
    VendorLink link(responsive);
    bool ran = false;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [&] { ran = true; }, Qt::QueuedConnection);

    std::uint8_t buffer[3] = {};
    EXPECT_EQ(link.VendorRead(0xAF, buffer, 3), 3);
    EXPECT_TRUE(ran);
    EXPECT_EQ(link.VendorWriteValue(0x02, 50), 0);
    EXPECT_EQ(pictures(emulator.log()), (std::vector<std::string>{"R AF 3", "V 02 0032"}));
}

}  // namespace
