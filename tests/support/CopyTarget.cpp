// A test application for the capture tests. By default a window that copies its text to
// the clipboard only on the shortcut it is told to (--copy-on ctrl-c|ctrl-insert|none),
// at once or --late-ms after the key is released, and prints every key it receives.
// With --own-clipboard it puts text, HTML and a PNG picture on the clipboard at once
// and keeps serving them; --stall-ms N makes it stand still for N ms the first time the
// picture is asked for. --repeat N repeats the text N times. --copy-picture makes the
// shortcut put only a picture on the clipboard, as a canvas that copies itself does.
// --refill plays a clipboard manager that puts its text back, at once, whenever somebody
// empties the clipboard.
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QImage>
#include <QKeyEvent>
#include <QMimeData>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <utility>

namespace {

QString option(const QStringList& args, const QString& name, const QString& fallback)
{
    const qsizetype at = args.indexOf(name);
    return at >= 0 && at + 1 < args.size() ? args[at + 1] : fallback;
}

QByteArray noisyPng(int size)
{
    QImage image(size, size, QImage::Format_RGB32);
    quint32 seed = 12345;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            seed = seed * 1664525u + 1013904223u;
            image.setPixel(x, y, seed >> 8);
        }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

void say(const QString& line)
{
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

// Clipboard data whose picture is handed over only after a pause the first time.
class StallingMimeData : public QMimeData {
public:
    explicit StallingMimeData(int stallMs) : stallMs_(stallMs) {}

protected:
    QVariant retrieveData(const QString& type, QMetaType metaType) const override
    {
        if (const int pause = type == "image/png" ? std::exchange(stallMs_, 0) : 0; pause > 0)
            QThread::msleep(pause);
        return QMimeData::retrieveData(type, metaType);
    }

private:
    mutable int stallMs_;
};

class CopyWindow : public QWidget {
public:
    CopyWindow(QString text, QString copyOn, int lateMs, bool picture)
        : text_(std::move(text)), copyOn_(std::move(copyOn)), lateMs_(lateMs), picture_(picture)
    {
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        say(QString("press %1 ctrl=%2").arg(event->key()).arg(bool(event->modifiers() & Qt::ControlModifier)));
        if (triggers(event) && lateMs_ == 0)
            copy();
    }
    void keyReleaseEvent(QKeyEvent* event) override
    {
        if (triggers(event) && lateMs_ > 0)
            QTimer::singleShot(lateMs_, this, [this] { copy(); });
    }

private:
    bool triggers(const QKeyEvent* event) const
    {
        if (!(event->modifiers() & Qt::ControlModifier) || event->isAutoRepeat())
            return false;
        return (event->key() == Qt::Key_C && copyOn_ == "ctrl-c") ||
               (event->key() == Qt::Key_Insert && copyOn_ == "ctrl-insert");
    }
    void copy()
    {
        if (!picture_) {
            QGuiApplication::clipboard()->setText(text_);
            return;
        }
        auto* mime = new QMimeData;
        mime->setData("image/png", noisyPng(16));
        QGuiApplication::clipboard()->setMimeData(mime);
    }

    QString text_;
    QString copyOn_;
    int lateMs_;
    bool picture_;
};

// Owns the clipboard with the text, and takes it back with the same text whenever the
// clipboard is left empty.
void refillWhenEmptied(const QString& text)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    const auto refill = [clipboard, text] {
        const QMimeData* data = clipboard->mimeData();
        if (!data || data->formats().isEmpty())
            clipboard->setText(text);
    };
    QObject::connect(clipboard, &QClipboard::dataChanged, clipboard, refill);
    clipboard->setText(text);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    // --repeat makes long texts that do not fit on a command line.
    const QString text = option(args, "--text", "copied text").repeated(option(args, "--repeat", "1").toInt());
    if (args.contains("--own-clipboard")) {
        auto* mime = new StallingMimeData(option(args, "--stall-ms", "0").toInt());
        mime->setText(text);
        mime->setHtml("<p><b>" + text + "</b></p>");
        mime->setData("image/png", noisyPng(option(args, "--picture-size", "300").toInt()));
        QGuiApplication::clipboard()->setMimeData(mime);
        say("ready");
        return app.exec();
    }
    if (args.contains("--refill")) {
        refillWhenEmptied(text);
        say("ready");
        return app.exec();
    }
    CopyWindow window(text, option(args, "--copy-on", "ctrl-c"), option(args, "--late-ms", "0").toInt(),
                      args.contains("--copy-picture"));
    window.setWindowTitle(option(args, "--title", "copy target"));
    window.resize(320, 120);
    window.show();
    say("ready");
    return app.exec();
}
