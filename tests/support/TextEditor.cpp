// A plain Qt text editor window for end-to-end tests: shows the text given on the
// command line in a QPlainTextEdit titled with the first argument, and prints where a
// few spans of it lie on screen, so that the test can select them like a person:
//   span <start-x> <y> <end-x>   the first line of text, from its first to last character
//   word <x> <y>                  the middle of the word given with --word
#include <QApplication>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3)
        return 2;
    const QString word = args.indexOf("--word") > 0 ? args.at(args.indexOf("--word") + 1) : QString();

    QPlainTextEdit editor;
    editor.setWindowTitle(args.at(1));
    editor.setPlainText(args.at(2));
    QFont font = editor.font();
    font.setPointSize(14);
    editor.setFont(font);
    editor.resize(700, 260);
    editor.move(40, 60);
    editor.show();

    QTimer::singleShot(800, [&] {
        auto screenPoint = [&](int position) {
            QTextCursor cursor(editor.document());
            cursor.setPosition(position);
            const QRect r = editor.cursorRect(cursor);
            return editor.viewport()->mapToGlobal(QPoint(r.left(), r.center().y()));
        };
        const QString text = editor.toPlainText();
        const int lineEnd = text.indexOf('\n') < 0 ? text.size() : text.indexOf('\n');
        const QPoint start = screenPoint(0), end = screenPoint(lineEnd);
        std::printf("span %d %d %d\n", start.x() + 1, start.y(), end.x() - 1);
        if (!word.isEmpty()) {
            const int at = text.indexOf(word);
            const QPoint a = screenPoint(at), b = screenPoint(at + word.size());
            std::printf("word %d %d\n", (a.x() + b.x()) / 2, a.y());
        }
        std::fflush(stdout);
    });
    return app.exec();
}
