#pragma once

#include "shared/editjournal.h"

// One edit reported to the journal for as long as the object lives.
class EditStep {
public:
    EditStep(EditJournal& journal, const QString& text,
             EditJournal::Scope scope = EditJournal::Pattern, int mergeKey = 0)
        : journal_(journal) {
        journal_.open(text, scope, mergeKey);
    }
    ~EditStep() { journal_.close(); }
    EditStep(const EditStep&) = delete;
    EditStep& operator=(const EditStep&) = delete;

private:
    EditJournal& journal_;
};
