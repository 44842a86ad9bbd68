#include "keyrouter.h"

void KeyRouter::add(const QString& key, Command command) {
    routes_.append({key, std::move(command)});
}

void KeyRouter::set(const QString& key, Command command) {
    for (Route& route : routes_)
        if (route.key == key) route.command = std::move(command);
}

bool KeyRouter::knows(const QString& key) const {
    for (const Route& route : routes_)
        if (route.key == key) return true;
    return false;
}

bool KeyRouter::route(const QString& key) const {
    for (const Route& route : routes_) {
        if (route.key != key) continue;
        if (route.command) route.command();
        return true;
    }
    return false;
}
