// The update check over real HTTP: Qt's network stack against a server on 127.0.0.1.
#include "app/update_check.h"

#include "platform/qt/qt_platform.h"
#include "ui/about.h"

#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Message boxes and the browser are recorded instead of shown; everything else is Qt's.
struct RecordingQtPlatform : QtPlatform {
    std::vector<std::string> boxes, opened;
    MessageAnswer messageBox(const std::string& text, const std::string& caption,
                             MessageButtons buttons, MessageIcon) override {
        boxes.push_back(caption + ": " + text);
        return buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
    }
    bool openUrl(const std::string& url) override {
        opened.push_back(url);
        return true;
    }
};

// Answers every request with 200 and one body, and keeps the last request's head.
struct VersionServer {
    QTcpServer server;
    QByteArray body, request;
    VersionServer() {
        server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server, &QTcpServer::newConnection, [this] {
            QTcpSocket* socket = server.nextPendingConnection();
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                request += socket->readAll();
                if (!request.contains("\r\n\r\n")) return;
                socket->write(
                    "HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(body.size()) +
                    "\r\nConnection: close\r\n\r\n" + body);
                socket->disconnectFromHost();
            });
        });
    }
    std::string url() const {
        return "http://127.0.0.1:" + std::to_string(server.serverPort()) + "/LatestVersion.txt";
    }
};

class UpdateCheckQt : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { ensureOffscreenQtApplication(); }
    void TearDown() override { unsetenv(kUpdateUrlVariable); }
    RecordingQtPlatform platform;
    LogChannel log; // not opened: nothing is written
    Settings settings;
};

} // namespace

TEST_F(UpdateCheckQt, FetchesTheVersionFileFromTheAddressInTheEnvironment) {
    VersionServer server;
    ASSERT_TRUE(server.server.isListening());
    server.body = "v,2,61,319,https://host/dl.tar.gz EOF.\r\n" + QByteArray(3000, 'x');
    setenv(kUpdateUrlVariable, server.url().c_str(), 1);

    EXPECT_EQ(checkForUpdates(platform, log, settings, UpdateCheckMode::Silent),
              UpdateCheckResult::Accepted);
    EXPECT_TRUE(server.request.startsWith("GET /LatestVersion.txt HTTP/1.1\r\n"));
    EXPECT_TRUE(server.request.contains("User-Agent: Mozilla/4.0 (compatible) Facetwright\r\n"));
    ASSERT_EQ(platform.boxes.size(), 1u);
    EXPECT_NE(platform.boxes[0].find("Version: 2.61 build 319 "), std::string::npos);
    EXPECT_EQ(platform.opened,
              (std::vector<std::string>{"https://host/dl.tar.gz", kReleaseNotesUrl}));
    EXPECT_EQ(settings.offeredBuildNumber, 319);
}

TEST_F(UpdateCheckQt, UnreachableAndOversizedSitesFail) {
    // A body past the platform's limit is dropped, not read whole; silently nothing shows.
    std::string closed;
    {
        VersionServer server;
        server.body = "v,9,0,0,https://host/dl EOF.\n" + QByteArray(kHttpBodyLimit, 'x');
        setenv(kUpdateUrlVariable, server.url().c_str(), 1);
        EXPECT_EQ(checkForUpdates(platform, log, settings, UpdateCheckMode::Silent),
                  UpdateCheckResult::Failed);
        EXPECT_TRUE(platform.boxes.empty());
        closed = server.url();
    }
    // Nobody listening any more: the menu's check reports the failure at once.
    setenv(kUpdateUrlVariable, closed.c_str(), 1);
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(checkForUpdates(platform, log, settings, UpdateCheckMode::Interactive),
              UpdateCheckResult::Failed);
    EXPECT_LT(clock.elapsed(), 3000);
    EXPECT_EQ(platform.boxes,
              (std::vector<std::string>{"Check for Updates: An error occured during the update "
                                        "check!  Please try again later..."}));
}
