#pragma once
// The popup's hidden measuring label `measuringLabel`: it lays a caption out exactly as the
// popup's text control does and reports the size the label would take. With word
// wrap on it keeps its width and takes the height of the wrapped caption; with word
// wrap off it takes the width of its caption.

#include <QFont>
#include <QString>
#include <QTextDocument>
#include <QTextOption>

class MeasuringLabel {
public:
    MeasuringLabel();

    void setFont(const QFont& font);
    QFont font() const { return document_.defaultFont(); }
    void setWordWrap(bool on);
    bool wordWrap() const { return wordWrap_; }
    // Lines normally break between words only; with this on, inside a word as well.
    void setBreakWords(bool on);
    QTextOption::WrapMode wrapMode() const;
    void setWidthPx(int width);
    void setCaption(const QString& caption);

    int widthPx() const;
    int heightPx() const;
    // True when a word is wider than the label, so the wrapped caption overflows it.
    bool overflows() const;

private:
    void layOut();

    QTextDocument document_;
    bool wordWrap_ = true;
    bool breakWords_ = false;
    int widthPx_ = 0;
};
