#pragma once

#include <unistd.h>
#include <QByteArray>
#include <QTemporaryFile>
#include <cstdio>

// Sends everything written on file descriptor 2 (by this process and the libraries it
// uses) into a file for as long as the object lives; text() gives what was written.
class StderrCapture {
public:
    StderrCapture() {
        file_.open();
        std::fflush(stderr);
        saved_ = ::dup(2);
        ::dup2(file_.handle(), 2);
    }
    ~StderrCapture() { restore(); }

    QByteArray text() {
        restore();
        file_.seek(0);
        return file_.readAll();
    }

private:
    void restore() {
        if (saved_ < 0) return;
        std::fflush(stderr);
        ::dup2(saved_, 2);
        ::close(saved_);
        saved_ = -1;
    }

    QTemporaryFile file_;
    int saved_ = -1;
};
