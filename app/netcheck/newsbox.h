#pragma once

class QString;

// Where the version check tells of a newer version: the about box.
class NewsBox {
public:
    // Replaces the description with the news of a newer version.
    virtual void announce(const QString& text) = 0;
    // Shows the box modeless.
    virtual void showInfo() = 0;

protected:
    ~NewsBox() = default;
};
