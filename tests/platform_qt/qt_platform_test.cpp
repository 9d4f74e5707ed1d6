// The Qt platform without a display: dialogs driven from a timer, images, HTTP, fonts, locale.
#include "platform/qt/qt_platform.h"

#include "base/paths.h"

#include <QAbstractButton>
#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QFontDatabase>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <sys/stat.h>

// Fontconfig keeps its font patterns until exit without freeing them, and so does D-Bus its
// session connection under the X11 platform (window tests); neither is ours to fix.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\nleak:libdbus-1.so\n";
}

namespace {

class QtPlatformTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        // A comma-decimal user locale, to check that numbers stay in the C locale under Qt.
        setenv("LC_ALL", "de_DE.UTF-8", 1);
        ensureOffscreenQtApplication();
    }
    QtPlatform platform;
};

// Waits, inside the dialog's own event loop, for the next modal dialog and hands it to `act`.
// A dialog that `act` leaves open is rejected so that a failing test cannot hang.
struct ModalAnswerer {
    explicit ModalAnswerer(std::function<void(QWidget*)> act) : act_(std::move(act)) {
        const QDeadlineTimer deadline(3000);
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this, deadline] {
            QWidget* w = QApplication::activeModalWidget();
            if (!w && !deadline.hasExpired()) return;
            timer_.stop();
            if (!w) return;
            ran = true;
            act_(w);
            if (auto* d = qobject_cast<QDialog*>(w); d && d->isVisible()) d->reject();
        });
        timer_.start();
    }
    bool ran = false;

  private:
    std::function<void(QWidget*)> act_;
    QTimer timer_;
};

// An HTTP server on 127.0.0.1 answering every request with one fixed response, or never.
struct TinyServer {
    explicit TinyServer(QByteArray fixedResponse) : response(std::move(fixedResponse)) {
        server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* socket = server.nextPendingConnection()) {
                auto received = std::make_shared<QByteArray>();
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, received] {
                    received->append(socket->readAll());
                    if (!received->contains("\r\n\r\n")) return;
                    ++requests;
                    lastRequest = *received;
                    received->clear();
                    if (response.isEmpty()) return;
                    socket->write(response);
                    socket->disconnectFromHost();
                });
            }
        });
    }
    std::string url(const char* path) const {
        return "http://127.0.0.1:" + std::to_string(server.serverPort()) + path;
    }
    static QByteArray reply(const char* status, const QByteArray& body) {
        return QByteArray("HTTP/1.1 ") + status + "\r\nContent-Type: application/octet-stream" +
               "\r\nContent-Length: " + QByteArray::number(body.size()) +
               "\r\nConnection: close\r\n\r\n" + body;
    }

    QTcpServer server;
    QByteArray response;
    QByteArray lastRequest;
    int requests = 0;
};

std::string path(const QTemporaryDir& dir, const char* name) {
    return (dir.path() + "/" + name).toStdString();
}

bool near(const std::uint8_t* p, int r, int g, int b, int tolerance = 0) {
    return std::abs(p[0] - r) <= tolerance && std::abs(p[1] - g) <= tolerance &&
           std::abs(p[2] - b) <= tolerance && p[3] == 255;
}

QByteArray bmpBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

// A 4 x 2 image: top row red, green, blue, white; bottom row black, (10,20,30), yellow, cyan.
QImage sampleImage() {
    QImage image(4, 2, QImage::Format_RGB32);
    const QRgb top[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 255)};
    const QRgb bottom[] = {qRgb(0, 0, 0), qRgb(10, 20, 30), qRgb(255, 255, 0), qRgb(0, 255, 255)};
    for (int x = 0; x < 4; ++x) {
        image.setPixel(x, 0, top[x]);
        image.setPixel(x, 1, bottom[x]);
    }
    return image;
}

// Types a name into a file dialog's name field and accepts, as a user would. (selectFile leaves a
// focused name field alone, and under the offscreen platform it always has the focus.)
void typeFileName(QFileDialog* dialog, const char* name) {
    auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(edit, nullptr);
    edit->setText(name);
    static_cast<QDialog*>(dialog)->accept();
}

} // namespace

TEST_F(QtPlatformTest, NumbersStayInTheCLocale) {
    // Qt adopts the user's locale at start-up; decimal points must survive it.
    EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
    char buf[16];
    std::snprintf(buf, sizeof buf, "%.1f", 0.5);
    EXPECT_STREQ(buf, "0.5");
}

TEST_F(QtPlatformTest, DecodesBmpAndJpegBottomRowFirst) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(sampleImage().save(QString::fromStdString(path(dir, "a.bmp")), "BMP"));
    int w = 0, h = 0;
    RgbaImage out;
    // BMP at its own size: the first row handed out is the image's bottom row.
    ASSERT_TRUE(platform.imageSize(path(dir, "a.bmp"), w, h));
    EXPECT_EQ(w, 4);
    EXPECT_EQ(h, 2);
    ASSERT_TRUE(platform.decodeImage(path(dir, "a.bmp"), 4, 2, out));
    ASSERT_EQ(out.pixels.size(), 32u);
    EXPECT_TRUE(near(rgbaAt(out, 0, 0), 0, 0, 0));
    EXPECT_TRUE(near(rgbaAt(out, 1, 0), 10, 20, 30));
    EXPECT_TRUE(near(rgbaAt(out, 0, 1), 255, 0, 0));
    EXPECT_TRUE(near(rgbaAt(out, 2, 1), 0, 0, 255));

    // JPEG, 16 x 16: top half red, bottom half blue; lossy, so compared with a tolerance.
    QImage jpeg(16, 16, QImage::Format_RGB32);
    jpeg.fill(qRgb(0, 0, 255));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x) jpeg.setPixel(x, y, qRgb(255, 0, 0));
    ASSERT_TRUE(jpeg.save(QString::fromStdString(path(dir, "b.jpg")), "JPEG", 100));
    ASSERT_TRUE(platform.imageSize(path(dir, "b.jpg"), w, h));
    EXPECT_EQ(w, 16);
    ASSERT_TRUE(platform.decodeImage(path(dir, "b.jpg"), 16, 16, out));
    EXPECT_TRUE(near(rgbaAt(out, 4, 2), 0, 0, 255, 24));
    EXPECT_TRUE(near(rgbaAt(out, 4, 13), 255, 0, 0, 24));

    // Scaled to a power-of-two size: 16 x 16 to 8 x 32 keeps red on top and blue below.
    ASSERT_TRUE(platform.decodeImage(path(dir, "b.jpg"), 8, 32, out));
    EXPECT_EQ(out.width, 8);
    EXPECT_EQ(out.height, 32);
    ASSERT_EQ(out.pixels.size(), 8u * 32u * 4u);
    EXPECT_TRUE(near(rgbaAt(out, 3, 1), 0, 0, 255, 24));
    EXPECT_TRUE(near(rgbaAt(out, 3, 30), 255, 0, 0, 24));

    // The content decides the format: a BMP named .jpg still loads.
    QFile::copy(dir.path() + "/a.bmp", dir.path() + "/c.jpg");
    EXPECT_TRUE(platform.decodeImage(path(dir, "c.jpg"), 4, 2, out));
}

TEST_F(QtPlatformTest, ImageFailures) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    RgbaImage out;
    int w = 0, h = 0;
    // A missing file, a corrupt one, and target sizes outside 1..16384.
    EXPECT_FALSE(platform.imageSize(path(dir, "missing.bmp"), w, h));
    EXPECT_FALSE(platform.decodeImage(path(dir, "missing.bmp"), 4, 4, out));
    QFile bad(dir.path() + "/bad.bmp");
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("BM this is not a bitmap at all");
    bad.close();
    EXPECT_FALSE(platform.imageSize(path(dir, "bad.bmp"), w, h));
    EXPECT_FALSE(platform.decodeImage(path(dir, "bad.bmp"), 4, 4, out));
    ASSERT_TRUE(sampleImage().save(QString::fromStdString(path(dir, "a.bmp")), "BMP"));
    EXPECT_FALSE(platform.decodeImage(path(dir, "a.bmp"), 0, 4, out));
    EXPECT_FALSE(platform.decodeImage(path(dir, "a.bmp"), 4, 20000, out));
}

namespace {
// A BMP whose header claims w x h pixels, with the sample's pixel data behind it.
QByteArray bmpClaiming(qint32 w, qint32 h) {
    QByteArray bytes = bmpBytes(sampleImage());
    for (int i = 0; i < 4; ++i) {
        bytes[18 + i] = static_cast<char>((w >> (8 * i)) & 0xff);
        bytes[22 + i] = static_cast<char>((h >> (8 * i)) & 0xff);
    }
    return bytes;
}

void writeFile(const QTemporaryDir& dir, const char* name, const QByteArray& bytes) {
    QFile f(dir.path() + "/" + name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
} // namespace

TEST_F(QtPlatformTest, HostileImageFilesFailQuicklyWithoutHugeAllocations) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    writeFile(dir, "huge.bmp", bmpClaiming(60000, 60000));
    writeFile(dir, "empty.bmp", bmpClaiming(0, 0));
    QImage big(64, 64, QImage::Format_RGB32);
    big.fill(qRgb(1, 2, 3));
    writeFile(dir, "cut.bmp", bmpBytes(big).left(2000));
    writeFile(dir, "junk.png", QByteArray(5000, '\x5a'));
    ASSERT_EQ(mkfifo(path(dir, "pipe.bmp").c_str(), 0600), 0);
    QElapsedTimer clock;
    clock.start();
    int w = 0, h = 0;
    RgbaImage out;
    // A forged size, an empty image, a truncated file, junk, a FIFO, a directory, a device.
    for (const std::string& p : {path(dir, "huge.bmp"), path(dir, "empty.bmp"),
                                 path(dir, "cut.bmp"), path(dir, "junk.png"), path(dir, "pipe.bmp"),
                                 dir.path().toStdString(), std::string("/dev/zero")}) {
        EXPECT_FALSE(platform.imageSize(p, w, h) && platform.decodeImage(p, w, h, out)) << p;
        EXPECT_FALSE(platform.decodeImage(p, 4, 2, out)) << p;
    }
    // The same bytes in memory are refused the same way; good bytes decode bottom row first.
    const QByteArray huge = bmpClaiming(60000, 60000);
    EXPECT_FALSE(platform.imageDataSize(std::string(huge.constData(), huge.size()), w, h));
    EXPECT_FALSE(platform.decodeImageData(std::string(huge.constData(), huge.size()), 4, 2, out));
    EXPECT_FALSE(platform.imageDataSize(std::string(), w, h));
    const QByteArray good = bmpBytes(sampleImage());
    ASSERT_TRUE(platform.imageDataSize(std::string(good.constData(), good.size()), w, h));
    EXPECT_EQ(w, 4);
    EXPECT_EQ(h, 2);
    ASSERT_TRUE(platform.decodeImageData(std::string(good.constData(), good.size()), 4, 2, out));
    EXPECT_TRUE(near(rgbaAt(out, 1, 0), 10, 20, 30));
    EXPECT_TRUE(near(rgbaAt(out, 0, 1), 255, 0, 0));
    EXPECT_LT(clock.elapsed(), 3000);
}

TEST_F(QtPlatformTest, HttpGetFromALocalServer) {
    TinyServer server(TinyServer::reply("200 OK", "v,2,61,319,http://host/dl EOF.\r\nrest"));
    ASSERT_TRUE(server.server.isListening());
    std::string body;
    // The whole body comes back, and the user agent is sent.
    ASSERT_TRUE(platform.httpGet(server.url("/LatestVersion.txt"), "TestAgent/1.0", 3000, body));
    EXPECT_EQ(body, "v,2,61,319,http://host/dl EOF.\r\nrest");
    EXPECT_TRUE(server.lastRequest.startsWith("GET /LatestVersion.txt HTTP/1.1\r\n"));
    EXPECT_TRUE(server.lastRequest.contains("User-Agent: TestAgent/1.0\r\n"));

    // An error status is a failure, not a body.
    TinyServer missing(TinyServer::reply("404 Not Found", "no such file"));
    body.clear();
    EXPECT_FALSE(platform.httpGet(missing.url("/x"), "TestAgent/1.0", 3000, body));
    EXPECT_EQ(body, "");

    // Nobody listening, and addresses that are not http or https.
    quint16 closedPort = 0;
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        closedPort = probe.serverPort();
    }
    const std::string closed = "http://127.0.0.1:" + std::to_string(closedPort) + "/";
    EXPECT_FALSE(platform.httpGet(closed, "", 3000, body));
    EXPECT_FALSE(platform.httpGet("file:///etc/passwd", "", 3000, body));
    EXPECT_FALSE(platform.httpGet("ftp://127.0.0.1/", "", 3000, body));

    // A texture named by an address is fetched and decoded.
    TinyServer images(TinyServer::reply("200 OK", bmpBytes(sampleImage())));
    int w = 0, h = 0;
    RgbaImage out;
    ASSERT_TRUE(platform.imageSize(images.url("/wood.bmp"), w, h));
    EXPECT_EQ(w, 4);
    ASSERT_TRUE(platform.decodeImage(images.url("/wood.bmp"), 8, 4, out));
    EXPECT_TRUE(near(rgbaAt(out, 0, 3), 255, 0, 0));
}

TEST_F(QtPlatformTest, HttpGetGivesUpAtItsTimeLimit) {
    TinyServer silent{QByteArray()};
    QElapsedTimer clock;
    clock.start();
    std::string body;
    EXPECT_FALSE(platform.httpGet(silent.url("/LatestVersion.txt"), "", 500, body));
    const qint64 elapsed = clock.elapsed();
    EXPECT_EQ(silent.requests, 1);
    EXPECT_GE(elapsed, 400);
    EXPECT_LT(elapsed, 3000);
}

TEST_F(QtPlatformTest, OpenUrlRefusesLocalAndScriptAddresses) {
    EXPECT_FALSE(platform.openUrl("file:///etc/passwd"));
    EXPECT_FALSE(platform.openUrl("javascript:alert(1)"));
    EXPECT_FALSE(platform.openUrl("/etc/passwd"));
}

TEST_F(QtPlatformTest, GlyphsOfTheSansFont) {
    GlyphSet set;
    ASSERT_TRUE(platform.rasterizeGlyphs("Arial", 10, set));
    ASSERT_EQ(set.glyphs.size(), static_cast<std::size_t>(kGlyphCount));
    // Without Arial the metric-compatible stand-in is used.
    if (!QFontDatabase::families().contains("Arial") &&
        QFontDatabase::families().contains("Liberation Sans")) {
        EXPECT_EQ(set.family, "Liberation Sans");
    }
    for (const Glyph& g : set.glyphs)
        EXPECT_EQ(g.bits.size(), static_cast<std::size_t>((g.width + 7) / 8 * g.height));

    const Glyph& a = set.glyphs['A' - kFirstGlyph];
    int setBits = 0;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x) setBits += glyphBit(a, x, y);
    EXPECT_GT(setBits, 5);
    EXPECT_GE(a.height, 5);
    EXPECT_LE(a.height, 10);
    // 'A' stands on the baseline, 'g' reaches below it, the space has no ink but moves the pen.
    EXPECT_EQ(a.originY, 0);
    EXPECT_TRUE(glyphBit(a, 0, 0) || glyphBit(a, a.width - 1, 0)); // a foot on the bottom row
    EXPECT_GT(set.glyphs['g' - kFirstGlyph].originY, 0);
    const Glyph& space = set.glyphs[0];
    EXPECT_TRUE(space.bits.empty());
    EXPECT_GT(space.advance, 0);
    // Proportional: 'W' is wider than 'i'.
    EXPECT_GT(set.glyphs['W' - kFirstGlyph].advance, set.glyphs['i' - kFirstGlyph].advance);

    GlyphSet big;
    ASSERT_TRUE(platform.rasterizeGlyphs("Arial", 20, big));
    EXPECT_GT(big.glyphs['A' - kFirstGlyph].height, a.height);
}

TEST_F(QtPlatformTest, MessageBoxShowsTheTextAndMapsTheButtons) {
    ModalAnswerer no([](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(), "Delete <b>it</b>?");
        EXPECT_EQ(box->windowTitle(), "Confirm Delete");
        EXPECT_EQ(box->icon(), QMessageBox::Question);
        EXPECT_EQ(box->textFormat(), Qt::PlainText);
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(platform.messageBox("Delete <b>it</b>?", "Confirm Delete", MessageButtons::YesNo,
                                  MessageIcon::Question),
              MessageAnswer::No);
    EXPECT_TRUE(no.ran);

    ModalAnswerer yes(
        [](QWidget* w) { qobject_cast<QMessageBox*>(w)->button(QMessageBox::Yes)->click(); });
    EXPECT_EQ(platform.messageBox("Download?", "Version Update Available...", MessageButtons::YesNo,
                                  MessageIcon::Question),
              MessageAnswer::Yes);

    // Escape on a Yes/No box is No.
    ModalAnswerer escape([](QWidget* w) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(w, &press);
    });
    EXPECT_EQ(platform.messageBox("Really?", "Confirm Delete", MessageButtons::YesNo,
                                  MessageIcon::Question),
              MessageAnswer::No);
    EXPECT_TRUE(escape.ran);

    ModalAnswerer ok([](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        EXPECT_EQ(box->icon(), QMessageBox::Warning);
        EXPECT_EQ(box->buttons().size(), 1);
        box->button(QMessageBox::Ok)->click();
    });
    EXPECT_EQ(platform.messageBox("Failed.", "ERROR", MessageButtons::Ok, MessageIcon::Warning),
              MessageAnswer::Ok);
}

TEST_F(QtPlatformTest, FileDialogsMatchAnyCaseAndMoveTheCurrentDirectory) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const char* name : {"Model.fw2", "OTHER.FW2", "notes.txt"}) {
        QFile f(dir.path() + "/" + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    const std::string folder = dir.path().toStdString() + "/";
    const std::string before = ::currentDirectory();
    FileDialogOptions options;
    options.filters = {{"Facetwright v2.0 Model", "*.FW2;"}};
    options.startFolder = folder;

    // The open dialog lists both model files whatever their case, hides the rest, and returns
    // the chosen one.
    QStringList listed;
    ModalAnswerer open([&](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        auto* model = dialog->findChild<QFileSystemModel*>();
        ASSERT_NE(model, nullptr);
        const QModelIndex root = model->index(dir.path());
        for (QDeadlineTimer deadline(3000); !deadline.hasExpired();) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            if (model->rowCount(root) >= 2) break;
        }
        for (int i = 0; i < model->rowCount(root); ++i)
            listed << model->index(i, 0, root).data().toString();
        typeFileName(dialog, "Model.fw2");
    });
    EXPECT_EQ(platform.openFileDialog(options), folder + "Model.fw2");
    listed.sort();
    EXPECT_EQ(listed, (QStringList{"Model.fw2", "OTHER.FW2"}));
    EXPECT_EQ(::currentDirectory(), folder);

    // The save dialog adds the default extension to a bare name.
    ::setCurrentDirectory("/");
    options.defaultExtension = "FW2";
    ModalAnswerer save([&](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        typeFileName(dialog, "fresh");
    });
    EXPECT_EQ(platform.saveFileDialog(options), folder + "fresh.FW2");
    EXPECT_EQ(::currentDirectory(), folder);

    // Cancelling returns nothing and leaves the current directory.
    ::setCurrentDirectory("/");
    ModalAnswerer cancel([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
    EXPECT_EQ(platform.openFileDialog(options), "");
    EXPECT_EQ(::currentDirectory(), "/");
    ::setCurrentDirectory(before);
}

TEST_F(QtPlatformTest, ColourDialogCarriesTheCustomColours) {
    CustomColours custom{};
    custom[0] = makeColourRef(1, 2, 3);
    ColourRef colour = makeColourRef(200, 100, 50);
    // The dialog opens on the initial colour with the custom colours loaded; edits come back.
    ModalAnswerer choose([](QWidget* w) {
        auto* dialog = qobject_cast<QColorDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->currentColor(), QColor(200, 100, 50));
        EXPECT_EQ(QColorDialog::customColor(0), QColor(1, 2, 3));
        QColorDialog::setCustomColor(7, QColor(9, 8, 7));
        dialog->setCurrentColor(QColor(10, 20, 30));
        dialog->accept();
    });
    EXPECT_TRUE(platform.chooseColour(colour, custom));
    EXPECT_EQ(colour, 0x001e140au);
    EXPECT_EQ(custom[0], makeColourRef(1, 2, 3));
    EXPECT_EQ(custom[7], makeColourRef(9, 8, 7));

    // Cancel keeps the colour.
    ModalAnswerer cancel([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
    EXPECT_FALSE(platform.chooseColour(colour, custom));
    EXPECT_EQ(colour, 0x001e140au);
}

TEST_F(QtPlatformTest, FormDialogReadsNumbersWithAPointWhateverTheLocale) {
    std::vector<FormField> fields(4);
    fields[0].number = 0.5;
    fields[1].kind = FormFieldKind::Check;
    fields[2].kind = FormFieldKind::Choice;
    fields[2].choices = {"Front", "Top", "Left"};
    fields[3].kind = FormFieldKind::File;
    auto lineEdits = [](QWidget* w) { return w->findChildren<QLineEdit*>(); };
    auto pressOk = [](QWidget* w) {
        w->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    };
    ModalAnswerer fill([&](QWidget* w) {
        const QList<QLineEdit*> edits = lineEdits(w);
        ASSERT_EQ(edits.size(), 2);
        EXPECT_EQ(edits[0]->text(), "0.5"); // not "0,5" under the German locale
        edits[0]->setText(" -1.25e1 ");
        edits[1]->setText("/tmp/picture.png");
        w->findChild<QCheckBox*>()->setChecked(true);
        w->findChild<QComboBox*>()->setCurrentIndex(2);
        pressOk(w);
    });
    ASSERT_TRUE(platform.formDialog("Form", fields));
    EXPECT_EQ(fields[0].number, -12.5);
    EXPECT_TRUE(fields[1].checked);
    EXPECT_EQ(fields[2].choice, 2);
    EXPECT_EQ(fields[3].path, "/tmp/picture.png");

    // A comma is no decimal sign: OK is refused, the dialog stays open, and on cancel nothing
    // changes.
    ModalAnswerer refuse([&](QWidget* w) {
        lineEdits(w)[0]->setText("1,5");
        pressOk(w);
        EXPECT_TRUE(w->isVisible());
    });
    EXPECT_FALSE(platform.formDialog("Form", fields));
    EXPECT_EQ(fields[0].number, -12.5);
}
