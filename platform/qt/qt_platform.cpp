// The platform interface on Qt: dialogs, images, network, browser, fonts, resources, directories.
//
// Sections: application; message box; file dialogs; colour dialog; form dialog; images; network;
// browser; glyphs; bitmap resources; environment and directories; main window (in qt_window.cpp).
#include "platform/qt/qt_platform.h"

#include "platform/qt/qt_window.h"

#include "base/paths.h"

#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QColor>
#include <QColorDialog>
#include <QComboBox>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHostAddress>
#include <QImage>
#include <QImageReader>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <sys/stat.h>

namespace {

// A remote texture may take this long before it counts as missing.
constexpr int kRemoteImageTimeoutMs = 5000;

QString qs(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

std::string utf8(const QString& s) {
    const QByteArray b = s.toUtf8();
    return std::string(b.constData(), static_cast<std::size_t>(b.size()));
}

bool isRemote(const std::string& path) {
    auto starts = [&](const char* prefix) {
        return qs(path).startsWith(QLatin1String(prefix), Qt::CaseInsensitive);
    };
    return starts("http://") || starts("https://");
}

} // namespace

// ---- Application ----

std::unique_ptr<QApplication> createQtApplication(int& argc, char** argv) {
    auto app = std::make_unique<QApplication>(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    return app;
}

void ensureOffscreenQtApplication() {
    if (QCoreApplication::instance()) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "facetwright";
    static char* argv[] = {name, nullptr};
    // Kept until the process ends: destroying it during static destruction is not safe.
    static QApplication* app = new QApplication(argc, argv);
    (void)app;
    std::setlocale(LC_NUMERIC, "C");
}

QtPlatform::QtPlatform() = default;
QtPlatform::~QtPlatform() = default;

// ---- Message box ----

MessageAnswer QtPlatform::messageBox(const std::string& text, const std::string& caption,
                                     MessageButtons buttons, MessageIcon icon) {
    static const QMessageBox::Icon kIcons[] = {QMessageBox::NoIcon, QMessageBox::Information,
                                               QMessageBox::Warning, QMessageBox::Critical,
                                               QMessageBox::Question};
    static_assert(sizeof kIcons / sizeof kIcons[0] == static_cast<int>(MessageIcon::Question) + 1,
                  "one Qt icon per MessageIcon");
    QMessageBox box(kIcons[static_cast<int>(icon)], qs(caption), qs(text), QMessageBox::NoButton,
                    dialogParent_);
    // Fixed texts are plain; a '<' in them must not turn on rich text.
    box.setTextFormat(Qt::PlainText);
    if (buttons == MessageButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
    }
    if (buttons == MessageButtons::YesNoCancel) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::Cancel);
        const int chosen = box.exec();
        if (chosen == QMessageBox::Yes) return MessageAnswer::Yes;
        return chosen == QMessageBox::No ? MessageAnswer::No : MessageAnswer::Cancel;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    box.exec();
    return MessageAnswer::Ok;
}

// ---- File dialogs ----

namespace {

// "Images (*.[bB][mM][pP] *.[jJ][pP][gG])" for each entry of a type list.
QStringList nameFilters(const std::vector<FileFilter>& list) {
    QStringList filters;
    for (const FileFilter& f : list) {
        QStringList patterns;
        for (const std::string& p : splitPatterns(f.patterns))
            patterns << qs(caseInsensitivePattern(p));
        if (patterns.isEmpty()) patterns << QStringLiteral("*");
        filters << qs(f.description) + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                       QLatin1Char(')');
    }
    return filters;
}

} // namespace

std::string QtPlatform::fileDialog(bool save, const FileDialogOptions& options) {
    const QString start =
        options.startFolder.empty() ? QDir::currentPath() : qs(options.startFolder);
    QFileDialog dialog(dialogParent_, qs(options.title), start);
    // Qt's own dialog everywhere: it honours the case-insensitive patterns below and behaves the
    // same under every desktop and under test automation.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    const QStringList filters = nameFilters(options.filters);
    if (!filters.isEmpty()) dialog.setNameFilters(filters);
    if (save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        if (!options.defaultExtension.empty())
            dialog.setDefaultSuffix(qs(options.defaultExtension));
        if (!options.fileName.empty()) dialog.selectFile(qs(options.fileName));
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted) return {};
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) return {};
    const std::string path = utf8(chosen.first());
    if (!folderOf(path).empty()) ::setCurrentDirectory(folderOf(path));
    return path;
}

std::string QtPlatform::openFileDialog(const FileDialogOptions& options) {
    return fileDialog(false, options);
}

std::string QtPlatform::saveFileDialog(const FileDialogOptions& options) {
    return fileDialog(true, options);
}

// ---- Colour dialog ----

bool QtPlatform::chooseColour(ColourRef& colour, CustomColours& custom) {
    const int slotCount =
        std::min<int>(QColorDialog::customCount(), static_cast<int>(custom.size()));
    for (int i = 0; i < slotCount; ++i)
        QColorDialog::setCustomColor(
            i, QColor(colourRed(custom[i]), colourGreen(custom[i]), colourBlue(custom[i])));
    QColorDialog dialog(QColor(colourRed(colour), colourGreen(colour), colourBlue(colour)),
                        dialogParent_);
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    const bool chosen = dialog.exec() == QDialog::Accepted;
    for (int i = 0; i < slotCount; ++i) {
        const QColor c = QColorDialog::customColor(i);
        custom[i] = makeColourRef(c.red(), c.green(), c.blue());
    }
    if (!chosen) return false;
    const QColor c = dialog.selectedColor();
    if (!c.isValid()) return false;
    colour = makeColourRef(c.red(), c.green(), c.blue());
    return true;
}

// ---- Form dialog ----

bool QtPlatform::formDialog(const std::string& title, std::vector<FormField>& fields) {
    QDialog dialog(dialogParent_);
    dialog.setWindowTitle(QString::fromStdString(title));
    auto* layout = new QFormLayout(&dialog);
    std::vector<QWidget*> editors;
    for (const FormField& f : fields) {
        const QString label = QString::fromStdString(f.label);
        QWidget* editor = nullptr;
        switch (f.kind) {
        case FormFieldKind::Number: // QString::number and toDouble ignore the locale
            editor = new QLineEdit(QString::number(f.number, 'g', 10));
            break;
        case FormFieldKind::Check: {
            auto* box = new QCheckBox;
            box->setChecked(f.checked);
            editor = box;
            break;
        }
        case FormFieldKind::Choice: {
            auto* combo = new QComboBox;
            for (const std::string& c : f.choices) combo->addItem(QString::fromStdString(c));
            combo->setCurrentIndex(f.choice);
            editor = combo;
            break;
        }
        case FormFieldKind::File: {
            auto* row = new QWidget;
            auto* h = new QHBoxLayout(row);
            h->setContentsMargins(0, 0, 0, 0);
            auto* line = new QLineEdit(QString::fromStdString(f.path));
            line->setMinimumWidth(320);
            auto* browse = new QPushButton(QStringLiteral("Browse..."));
            const QStringList filters = nameFilters(f.filters);
            // The static dialog would be native; ours never moves the current directory.
            QObject::connect(browse, &QPushButton::clicked, &dialog, [&dialog, line, filters] {
                QFileDialog files(&dialog, QString(), QFileInfo(line->text()).path());
                files.setOption(QFileDialog::DontUseNativeDialog);
                if (!filters.isEmpty()) files.setNameFilters(filters);
                files.setFileMode(QFileDialog::ExistingFile);
                if (files.exec() == QDialog::Accepted && !files.selectedFiles().isEmpty())
                    line->setText(files.selectedFiles().front());
            });
            h->addWidget(line);
            h->addWidget(browse);
            editor = row;
            break;
        }
        }
        layout->addRow(label, editor);
        editors.push_back(editor);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    layout->addRow(buttons);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (fields[i].kind != FormFieldKind::Number) continue;
            auto* line = static_cast<QLineEdit*>(editors[i]);
            bool ok = false;
            const double v = line->text().trimmed().toDouble(&ok);
            if (!ok || !std::isfinite(v)) {
                line->setFocus();
                line->selectAll();
                return; // stays open until every number reads
            }
        }
        dialog.accept();
    });
    if (dialog.exec() != QDialog::Accepted) return false;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        FormField& f = fields[i];
        switch (f.kind) {
        case FormFieldKind::Number:
            f.number = static_cast<QLineEdit*>(editors[i])->text().trimmed().toDouble();
            break;
        case FormFieldKind::Check:
            f.checked = static_cast<QCheckBox*>(editors[i])->isChecked();
            break;
        case FormFieldKind::Choice:
            f.choice = static_cast<QComboBox*>(editors[i])->currentIndex();
            break;
        case FormFieldKind::File:
            f.path = editors[i]->findChild<QLineEdit*>()->text().toStdString();
            break;
        }
    }
    return true;
}

// ---- Images ----

namespace {

// Copies an image as RGBA, turning its rows upside down (bottom row first).
void toRgbaImage(const QImage& source, RgbaImage& out) {
    const QImage image = source.convertToFormat(QImage::Format_RGBA8888);
    out.width = image.width();
    out.height = image.height();
    const std::size_t rowBytes = static_cast<std::size_t>(out.width) * 4;
    out.pixels.resize(rowBytes * out.height);
    for (int y = 0; y < out.height; ++y)
        std::memcpy(out.pixels.data() + rowBytes * y, image.constScanLine(out.height - 1 - y),
                    rowBytes);
}

bool acceptableImageSize(const QSize& size) {
    return size.width() > 0 && size.height() > 0 && size.width() <= kMaxImageSide &&
           size.height() <= kMaxImageSide &&
           static_cast<long long>(size.width()) * size.height() <= kMaxImagePixels;
}

// Whether an uncompressed BMP holds fewer pixel bytes than its header promises. Qt's reader
// fills the missing rows instead of failing, which would pass a cut-off file as an image.
bool truncatedBitmap(QIODevice* device) {
    if (!device || device->isSequential()) return false;
    const qint64 at = device->pos(); // the reader has moved on past the header
    if (!device->seek(0)) return false;
    const QByteArray h = device->read(34);
    device->seek(at);
    if (h.size() < 34) return true;
    auto u32 = [&](int at) {
        quint32 v = 0;
        for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<quint8>(h[at + i]);
        return v;
    };
    const quint32 compression = u32(30);
    if (u32(14) < 40 || (compression != 0 && compression != 3)) return false; // RLE and others
    const qint64 width = static_cast<qint32>(u32(18));
    const qint64 height = std::abs(static_cast<qint64>(static_cast<qint32>(u32(22))));
    const qint64 bits = static_cast<quint8>(h[28]) | static_cast<quint8>(h[29]) << 8;
    const qint64 rowBytes = (width * bits + 31) / 32 * 4;
    return width > 0 && static_cast<qint64>(u32(10)) + rowBytes * height > device->size();
}

// Reads through a prepared reader. A size the header declares is checked before any pixel is
// decoded, so a forged header costs nothing; with sizeOnly set the header is enough.
bool readWith(QImageReader& reader, bool sizeOnly, QImage& image, QSize& size) {
    reader.setDecideFormatFromContent(true);
    size = reader.size();
    if (size.isValid() && !acceptableImageSize(size)) return false;
    if (reader.format() == "bmp" && truncatedBitmap(reader.device())) return false;
    if (sizeOnly && size.isValid()) return true;
    image = reader.read();
    if (image.isNull() || !acceptableImageSize(image.size())) return false;
    size = image.size();
    return true;
}

bool readImageData(const std::string& bytes, bool sizeOnly, QImage& image, QSize& size) {
    if (bytes.empty() || bytes.size() > static_cast<std::size_t>(std::numeric_limits<int>::max()))
        return false;
    QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    if (!buffer.open(QIODevice::ReadOnly)) return false;
    QImageReader reader(&buffer);
    return readWith(reader, sizeOnly, image, size);
}

// A FIFO would block the reader and a device such as /dev/zero never ends: only regular files.
bool isRegularFile(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// Reads the image at a path or address.
bool readImage(Platform& platform, const std::string& path, bool sizeOnly, QImage& image,
               QSize& size) {
    if (isRemote(path)) {
        std::string bytes;
        if (!platform.httpGet(path, std::string(), kRemoteImageTimeoutMs, bytes)) return false;
        return readImageData(bytes, sizeOnly, image, size);
    }
    if (!isRegularFile(path)) return false;
    QImageReader reader(qs(path));
    return readWith(reader, sizeOnly, image, size);
}

bool validTargetSize(int width, int height) {
    return acceptableImageSize(QSize(width, height));
}

// Scales a decoded image to the size asked for and hands it over bottom row first.
bool scaledRgba(QImage image, int width, int height, RgbaImage& out) {
    if (image.width() != width || image.height() != height)
        image = image.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (image.isNull()) return false;
    toRgbaImage(image, out);
    return true;
}

} // namespace

bool QtPlatform::imageSize(const std::string& path, int& width, int& height) {
    QImage image;
    QSize size;
    if (!readImage(*this, path, true, image, size)) return false;
    width = size.width();
    height = size.height();
    return width > 0 && height > 0;
}

bool QtPlatform::decodeImage(const std::string& path, int width, int height, RgbaImage& out) {
    if (!validTargetSize(width, height)) return false;
    QImage image;
    QSize size;
    if (!readImage(*this, path, false, image, size)) return false;
    return scaledRgba(image, width, height, out);
}

bool QtPlatform::imageDataSize(const std::string& bytes, int& width, int& height) {
    QImage image;
    QSize size;
    if (!readImageData(bytes, true, image, size)) return false;
    width = size.width();
    height = size.height();
    return width > 0 && height > 0;
}

bool QtPlatform::decodeImageData(const std::string& bytes, int width, int height, RgbaImage& out) {
    if (!validTargetSize(width, height)) return false;
    QImage image;
    QSize size;
    if (!readImageData(bytes, false, image, size)) return false;
    return scaledRgba(image, width, height, out);
}

bool QtPlatform::encodePng(const RgbaImage& image, std::string& bytes) {
    const std::size_t size = static_cast<std::size_t>(image.width) * image.height * 4;
    if (image.width <= 0 || image.height <= 0 || image.pixels.size() != size) return false;
    const QImage bottomUp(image.pixels.data(), image.width, image.height, image.width * 4,
                          QImage::Format_RGBA8888);
    const QImage upright = bottomUp.mirrored(false, true);
    QByteArray data;
    QBuffer buffer(&data);
    if (!buffer.open(QIODevice::WriteOnly) || !upright.save(&buffer, "PNG")) return false;
    bytes.assign(data.constData(), static_cast<std::size_t>(data.size()));
    return true;
}

// ---- Network ----

bool QtPlatform::httpGet(const std::string& url, const std::string& userAgent, int timeoutMs,
                         std::string& body) {
    const QUrl address(qs(url), QUrl::StrictMode);
    const QString scheme = address.scheme().toLower();
    if (!address.isValid() || address.host().isEmpty() ||
        (scheme != QLatin1String("http") && scheme != QLatin1String("https")))
        return false;
    if (!network_) network_ = std::make_unique<QNetworkAccessManager>();

    // System proxy settings, but never for this machine itself.
    const QString host = address.host();
    const bool local = host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0 ||
                       QHostAddress(host).isLoopback();
    QNetworkProxy proxy(QNetworkProxy::NoProxy);
    if (!local) {
        const QList<QNetworkProxy> proxies =
            QNetworkProxyFactory::systemProxyForQuery(QNetworkProxyQuery(address));
        if (!proxies.isEmpty()) proxy = proxies.first();
    }
    network_->setProxy(proxy);

    timeoutMs = std::max(1, timeoutMs);
    QNetworkRequest request(address);
    if (!userAgent.empty()) request.setHeader(QNetworkRequest::UserAgentHeader, qs(userAgent));
    request.setTransferTimeout(timeoutMs);
    QNetworkReply* reply = network_->get(request);

    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    bool tooLarge = false;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(reply, &QNetworkReply::downloadProgress, &loop, [&](qint64 received, qint64) {
        if (received > static_cast<qint64>(kHttpBodyLimit)) {
            tooLarge = true;
            loop.quit();
        }
    });
    timer.start(timeoutMs);
    // The check blocks the program by design; user input waits until it is over.
    if (!reply->isFinished()) loop.exec(QEventLoop::ExcludeUserInputEvents);

    bool ok = reply->isFinished() && !tooLarge && reply->error() == QNetworkReply::NoError;
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (ok && status.isValid() && (status.toInt() < 200 || status.toInt() >= 300)) ok = false;
    if (ok) {
        const QByteArray data = reply->readAll();
        if (static_cast<std::size_t>(data.size()) > kHttpBodyLimit) {
            ok = false;
        } else {
            body.assign(data.constData(), static_cast<std::size_t>(data.size()));
        }
    }
    QObject::disconnect(reply, nullptr, &loop, nullptr);
    if (!reply->isFinished()) reply->abort();
    delete reply;
    return ok;
}

// ---- Browser ----

bool QtPlatform::openUrl(const std::string& url) {
    if (!isOpenableUrl(url)) return false;
    const QUrl address(qs(url), QUrl::StrictMode);
    const QString scheme = address.scheme().toLower();
    if (!address.isValid() ||
        (scheme != QLatin1String("http") && scheme != QLatin1String("https") &&
         scheme != QLatin1String("mailto")))
        return false;
    return QDesktopServices::openUrl(address);
}

// ---- Glyphs ----

namespace {

// The requested family if installed, else the first metric-compatible sans the system has.
QString pickFamily(const std::string& requested) {
    const QStringList available = QFontDatabase::families();
    const QString wanted[] = {qs(requested),
                              QStringLiteral("Liberation Sans"),
                              QStringLiteral("Arimo"),
                              QStringLiteral("Nimbus Sans"),
                              QStringLiteral("Nimbus Sans L"),
                              QStringLiteral("DejaVu Sans")};
    for (const QString& name : wanted)
        for (const QString& family : available)
            if (family.compare(name, Qt::CaseInsensitive) == 0) return family;
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

Glyph rasterizeGlyph(const QFont& font, const QFontMetrics& metrics, char32_t code) {
    Glyph glyph;
    const QString text(QChar(static_cast<char16_t>(code)));
    glyph.advance = metrics.horizontalAdvance(text);
    // Paint into a cell with room on every side, then crop to the ink.
    const int pad = std::max(4, font.pixelSize());
    const int penX = pad;
    const int baseline = pad + metrics.ascent();
    QImage cell(std::max(1, glyph.advance) + 2 * pad,
                metrics.ascent() + metrics.descent() + 2 * pad, QImage::Format_RGB32);
    cell.fill(Qt::black);
    {
        QPainter painter(&cell);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(QPoint(penX, baseline), text);
    }
    auto ink = [&](int x, int y) { return qRed(cell.pixel(x, y)) >= 128; };
    int left = cell.width(), right = -1, top = cell.height(), bottom = -1;
    for (int y = 0; y < cell.height(); ++y)
        for (int x = 0; x < cell.width(); ++x)
            if (ink(x, y)) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    if (right < 0) return glyph;
    glyph.width = right - left + 1;
    glyph.height = bottom - top + 1;
    // Row `baseline` is the first one below the baseline.
    glyph.originX = penX - left;
    glyph.originY = bottom - baseline + 1;
    const int rowBytes = (glyph.width + 7) / 8;
    glyph.bits.assign(static_cast<std::size_t>(rowBytes) * glyph.height, 0);
    for (int y = 0; y < glyph.height; ++y)
        for (int x = 0; x < glyph.width; ++x)
            if (ink(left + x, bottom - y))
                glyph.bits[static_cast<std::size_t>(y) * rowBytes + x / 8] |=
                    static_cast<std::uint8_t>(0x80 >> (x % 8));
    return glyph;
}

} // namespace

bool QtPlatform::rasterizeGlyphs(const std::string& family, int pixelHeight, GlyphSet& out) {
    if (pixelHeight < 1 || pixelHeight > 512) return false;
    QFont font(pickFamily(family));
    font.setPixelSize(pixelHeight);
    font.setWeight(QFont::Normal);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setKerning(false);
    const QFontMetrics metrics(font);
    out.family = utf8(QFontInfo(font).family());
    out.pixelHeight = pixelHeight;
    out.glyphs.clear();
    for (int c = kFirstGlyph; c < kFirstGlyph + kGlyphCount; ++c)
        out.glyphs.push_back(rasterizeGlyph(font, metrics, static_cast<char32_t>(c)));
    return true;
}

// ---- Environment ----

bool QtPlatform::environmentVariable(const std::string& name, std::string& value) {
    const char* v = std::getenv(name.c_str());
    if (!v) return false;
    value = v;
    return true;
}

// ---- Main window ----

bool QtPlatform::createMainWindow(const WindowSpec& spec, std::string& failure) {
    destroyMainWindow();
    window_ = QtWindow::create(spec, failure);
    if (!window_) return false;
    setDialogParent(window_->mainWindow());
    return true;
}

void QtPlatform::destroyMainWindow() {
    if (!window_) return;
    if (dialogParent_ == window_->mainWindow()) setDialogParent(nullptr);
    window_.reset();
}

void QtPlatform::swapBuffers() {
    if (window_) window_->swapBuffers();
}

void QtPlatform::pollEvents(bool wait, std::vector<WindowEvent>& out) {
    if (window_)
        window_->pollEvents(wait, out);
    else
        QCoreApplication::processEvents();
}

void QtPlatform::setSystemCursorVisible(bool visible) {
    if (window_) window_->setSystemCursorVisible(visible);
}

void QtPlatform::setMenuItem(int id, const std::string& caption, bool shown) {
    if (window_) window_->setMenuItem(id, caption, shown);
}

void QtPlatform::setMenuCheck(int id, bool on) {
    if (window_) window_->setMenuCheck(id, on);
}

bool QtPlatform::menuCheck(int id) {
    return window_ && window_->menuCheck(id);
}
