#pragma once

#include <QColor>
#include <QObject>

class Form1;
class SongList;
class Transport;

// The song's Play button and the song list while the song plays: the playing row is painted
// red and its loop cell counts the passes left down; a finished row is white again and shows
// its loop count. The button is down exactly while the song plays.
class SongPlayback : public QObject {
    Q_OBJECT

public:
    static inline const QColor kPlaying = QColor(255, 0, 0);
    static inline const QColor kIdle = QColor(255, 255, 255);

    SongPlayback(Form1& form, SongList& songList, Transport& transport);

    void cmdPlySng_Click();
    // Paints every cell of a song row; the list's current cell ends on its last column.
    void ColorSongRow(int row, const QColor& color);

private:
    void showState();
    void rowStarted(int row);
    void rowFinished(int row);
    void showPassesLeft(int row, int passes);

    Form1& form_;
    SongList& songList_;
    Transport& transport_;
    int paintedRow_ = 0;  // the row painted as playing
};
