#include "patternstore.h"

#include <QtGlobal>

StoredPattern& PatternStore::operator[](int index) {
    Q_ASSERT(index >= 0 && index < kRecords);
    return records_[std::size_t(index)];
}

const StoredPattern& PatternStore::operator[](int index) const {
    Q_ASSERT(index >= 0 && index < kRecords);
    return records_[std::size_t(index)];
}

bool PatternStore::insertSongRow(int row, int songRows) {
    if (songRows < 0 || songRows >= kMaxSongRows || row < 1 || row > songRows + 1) return false;
    for (int k = songRows; k >= row; --k) records_[k + 1] = records_[k];
    records_[row] = records_[0];
    if (records_[row].Loops == 0) records_[row].Loops = 1;
    return true;
}

bool PatternStore::removeSongRow(int row, int songRows) {
    if (songRows > kMaxSongRows || row < 1 || row > songRows) return false;
    if (songRows == 1) {
        records_[1] = StoredPattern();
        return true;
    }
    for (int k = row; k < songRows; ++k) records_[k] = records_[k + 1];
    return true;
}
