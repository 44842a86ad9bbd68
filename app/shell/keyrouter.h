#pragma once

#include <QList>
#include <QString>
#include <functional>

// Routes a toolbar key to its command: the keys are compared in the order they were added,
// exactly and case-sensitively, and the first match decides. A key may route to nothing.
class KeyRouter {
public:
    using Command = std::function<void()>;

    void add(const QString& key, Command command = {});
    // Replaces the command of a key added before (a subsystem arriving later).
    void set(const QString& key, Command command);
    bool knows(const QString& key) const;
    // Runs the key's command; false for a key that is not known.
    bool route(const QString& key) const;

private:
    struct Route {
        QString key;
        Command command;
    };
    QList<Route> routes_;
};
