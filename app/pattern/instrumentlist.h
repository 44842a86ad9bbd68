#pragma once

#include <QList>
#include <QString>

// The instrument rows as read from the instrument list file: record k names row k.
struct InstrumentList {
    struct Row {
        QString name;  // at most 25 characters
        QString note;  // the note as written, e.g. "36"
    };
    QList<Row> rows;       // one entry per row that was assigned
    bool tooMany = false;  // the file holds more records than there are rows

    static constexpr int kNameLength = 25;

    // Reads at most rowCount records from a file "name, note" per line. A record that cannot
    // be read keeps what the previous one left in the name and note and is still assigned;
    // reading then stops. A missing file therefore assigns one empty row.
    static InstrumentList read(const QString& path, int rowCount);
};
