#pragma once

#include <QLabel>

// A label with a free text tag: the instrument rows carry their MIDI note in it.
class TagLabel : public QLabel {
    Q_OBJECT

public:
    explicit TagLabel(const QString& caption, QWidget* parent = nullptr) : QLabel(caption, parent) {
        setTextFormat(Qt::PlainText);  // names come from files: never markup
    }

    QString tag() const { return tag_; }
    void setTag(const QString& tag) { tag_ = tag; }

private:
    QString tag_;
};
