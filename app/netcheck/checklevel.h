#pragma once

// The version-check level the user selected: from 0, every revision announced, to 3, none.
class CheckLevel {
public:
    virtual int selectedLevel() const = 0;

protected:
    ~CheckLevel() = default;
};
