#include "songplayback.h"

#include "form1.h"
#include "song/songlist.h"
#include "transport/transport.h"
#include "views/songgrid.h"

#include <QAbstractButton>

SongPlayback::SongPlayback(Form1& form, SongList& songList, Transport& transport)
    : form_(form), songList_(songList), transport_(transport) {
    connect(form.cmdPlySng, &QAbstractButton::clicked, this, &SongPlayback::cmdPlySng_Click);
    connect(&transport, &Transport::stateChanged, this, &SongPlayback::showState);
    connect(&transport, &Transport::songRowStarted, this, &SongPlayback::rowStarted);
    connect(&transport, &Transport::songRowFinished, this, &SongPlayback::rowFinished);
    connect(&transport, &Transport::passesLeftChanged, this, &SongPlayback::showPassesLeft);
    // The painted row moves with the rows cut or inserted above it.
    connect(&songList, &SongList::rowRemoved, this, [this](int row) {
        if (row < paintedRow_)
            --paintedRow_;
        else if (row == paintedRow_)
            paintedRow_ = 0;
    });
    connect(&songList, &SongList::rowInserted, this, [this](int row) {
        if (paintedRow_ != 0 && row <= paintedRow_) ++paintedRow_;
    });
}

void SongPlayback::ColorSongRow(int row, const QColor& color) {
    SongGrid* grid = form_.MSFlexGrid1;
    if (row < 1 || row >= grid->rows()) return;
    grid->setRow(row);
    for (int c = 0; c < grid->columnCount(); ++c) {
        grid->setCol(c);
        grid->setCellBackColor(grid->row(), c, color);
    }
}

void SongPlayback::cmdPlySng_Click() {
    if (form_.cmdPlySng->isChecked())
        transport_.playSong();
    else if (transport_.state() == Transport::State::Song)
        transport_.stop();
    showState();
}

// A song that ends, is stopped or gives the timer to the pattern releases the button and
// leaves its row white; a loop cell keeps the passes it counted down to.
void SongPlayback::showState() {
    const bool playing = transport_.state() == Transport::State::Song;
    form_.cmdPlySng->setChecked(playing);
    if (!playing && paintedRow_ != 0) {
        ColorSongRow(paintedRow_, kIdle);
        paintedRow_ = 0;
    }
}

void SongPlayback::rowStarted(int row) {
    if (paintedRow_ != 0) ColorSongRow(paintedRow_, kIdle);
    paintedRow_ = row;
    ColorSongRow(row, kPlaying);
}

void SongPlayback::rowFinished(int row) {
    if (row == paintedRow_) paintedRow_ = 0;
    ColorSongRow(row, kIdle);
    form_.MSFlexGrid1->setTextMatrix(row, 1, QString::number(songList_.song().store[row].Loops));
}

void SongPlayback::showPassesLeft(int row, int passes) {
    if (row >= 1 && row < form_.MSFlexGrid1->rows())
        form_.MSFlexGrid1->setTextMatrix(row, 1, QString::number(passes));
}
