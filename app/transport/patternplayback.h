#pragma once

#include <QObject>

class Form1;
class Transport;

// The pattern's Play button and the cursor over the playing column: the button starts and
// stops the pattern in the transport and is down exactly while the pattern plays.
class PatternPlayback : public QObject {
    Q_OBJECT

public:
    PatternPlayback(Form1& form, Transport& transport);

    // The Play button was clicked: start or stop pattern playback.
    void BtnPlay_Click();

private:
    void showState();
    void moveCursor(int step);

    Form1& form_;
    Transport& transport_;
};
