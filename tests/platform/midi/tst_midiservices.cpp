#include "inputrecorder.h"
#include "midi/midiservices.h"
#include "midi/virtualdevices.h"

#include <QTest>
#include <thread>

using namespace midi;

// The device services over virtual devices: numbering, handles, result codes, headers,
// recorded output and input reports delivered on the UI thread.
class TstMidiServices : public QObject {
    Q_OBJECT

    MidiServices& services = MidiServices::instance();

    OutputHandle openOutput(unsigned id) {
        OutputHandle handle = 0;
        const Result result = services.openOutput(id, &handle);
        return result == kNoError ? handle : 0;
    }
    InputHandle openInput(unsigned id, QObject* target) {
        InputHandle handle = 0;
        const Result result = services.openInput(id, target, &handle);
        return result == kNoError ? handle : 0;
    }

private slots:
    void init() {
        services.useVirtualOnly(true);
        VirtualDevices::clear();
    }
    void cleanup() { VirtualDevices::clear(); }

    void devicesAreNumberedInTheOrderTheyAreAdded() {
        QCOMPARE(services.outputCount(), 0u);
        QCOMPARE(services.inputCount(), 0u);
        QCOMPARE(VirtualDevices::addOutput("Out A"), 0u);
        QCOMPARE(VirtualDevices::addOutput("Out B"), 1u);
        QCOMPARE(VirtualDevices::addInput("In A"), 0u);
        QCOMPARE(services.outputCount(), 2u);
        QCOMPARE(services.inputCount(), 1u);
        DeviceCaps caps;
        QCOMPARE(services.outputCaps(1, &caps), kNoError);
        QCOMPARE(caps.productName, QStringLiteral("Out B"));
        QCOMPARE(services.inputCaps(0, &caps), kNoError);
        QCOMPARE(caps.productName, QStringLiteral("In A"));
        QCOMPARE(services.outputCaps(2, &caps), kBadDeviceId);
        QCOMPARE(services.inputCaps(1, &caps), kBadDeviceId);
    }

    void virtualDevicesComeBeforeTheBuiltinSynthesizer() {
        services.useVirtualOnly(false);
        const unsigned id = VirtualDevices::addOutput("Recorder");
        const unsigned count = services.outputCount();
        QCOMPARE(id, count - 2);
        DeviceCaps caps;
        QCOMPARE(services.outputCaps(count - 1, &caps), kNoError);
        QCOMPARE(caps.productName, QStringLiteral("Beatloft GM Synth"));
        services.useVirtualOnly(true);
        QCOMPARE(services.outputCount(), 1u);
    }

    void resultCodes() {
        const unsigned out = VirtualDevices::addOutput("Out");
        const unsigned in = VirtualDevices::addInput("In");
        OutputHandle handle = 77;
        QCOMPARE(services.openOutput(5, &handle), kBadDeviceId);
        QCOMPARE(handle, 0u);
        InputHandle inHandle = 77;
        QCOMPARE(services.openInput(3, nullptr, &inHandle), kBadDeviceId);
        QCOMPARE(inHandle, 0u);
        QCOMPARE(services.openOutput(out, nullptr), kInvalidParam);

        QCOMPARE(services.shortMessage(0, 0x007E2499), kInvalidHandle);
        handle = openOutput(out);
        QVERIFY(handle != 0);
        OutputHandle second = 77;
        QCOMPARE(services.openOutput(out, &second), kAllocated);
        QCOMPARE(second, 0u);
        QCOMPARE(services.shortMessage(handle, 0x007E2499), kNoError);
        QCOMPARE(services.closeOutput(handle), kNoError);
        QCOMPARE(services.shortMessage(handle, 0x007E2499), kInvalidHandle);
        QCOMPARE(services.closeOutput(handle), kInvalidHandle);
        QCOMPARE(services.resetOutput(handle), kInvalidHandle);

        handle = openOutput(out);
        char bytes[] = "\xF0\x7E\x7F\x09\x01\xF7";
        MidiHeader header{bytes, 6, 0, 0};
        QCOMPARE(services.longMessage(handle, &header), kUnprepared);
        QCOMPARE(services.longMessage(handle, nullptr), kInvalidParam);
        QCOMPARE(services.prepareOutputHeader(handle, nullptr), kInvalidParam);
        QCOMPARE(services.prepareOutputHeader(0, &header), kInvalidHandle);
        QCOMPARE(VirtualDevices::received(out).size(), 1);  // the unprepared block was not sent

        const InputHandle input = openInput(in, nullptr);
        QVERIFY(input != 0);
        QVERIFY(input != handle);
        QCOMPARE(services.shortMessage(input, 0x90), kInvalidHandle);  // not an output handle
        QCOMPARE(services.startInput(handle), kInvalidHandle);
        MidiHeader buffer{bytes, 6, 0, 0};
        QCOMPARE(services.addInputBuffer(input, &buffer), kUnprepared);
        QCOMPARE(services.prepareInputHeader(input, &buffer), kNoError);
        QCOMPARE(services.addInputBuffer(input, &buffer), kNoError);
        QCOMPARE(services.addInputBuffer(input, &buffer), kStillPlaying);
        QCOMPARE(services.unprepareInputHeader(input, &buffer), kStillPlaying);
        QCOMPARE(services.closeInput(input), kStillPlaying);
        QCOMPARE(services.resetInput(input), kNoError);
        QVERIFY(buffer.flags & MidiHeader::kDone);
        QCOMPARE(services.unprepareInputHeader(input, &buffer), kNoError);
        QCOMPARE(services.closeInput(input), kNoError);
        QCOMPARE(services.closeInput(input), kInvalidHandle);
        QCOMPARE(services.closeOutput(handle), kNoError);
    }

    void outputRecordsEveryMessageInOrderWithTimestamps() {
        const unsigned out = VirtualDevices::addOutput("Recorder");
        const OutputHandle handle = openOutput(out);
        const auto before = std::chrono::steady_clock::now();
        QCOMPARE(services.shortMessage(handle, 0x007E2499), kNoError);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        QCOMPARE(services.shortMessage(handle, 0x00002499), kNoError);
        char bytes[] = "\xF0\x43\x10\x4C\x00\x00\x7E\x00\xF7";
        MidiHeader header{bytes, 9, 0, 0};
        QCOMPARE(services.prepareOutputHeader(handle, &header), kNoError);
        QVERIFY(header.flags & MidiHeader::kPrepared);
        QCOMPARE(services.longMessage(handle, &header), kNoError);
        QVERIFY(header.flags & MidiHeader::kDone);
        QCOMPARE(services.unprepareOutputHeader(handle, &header), kNoError);
        QVERIFY(!(header.flags & MidiHeader::kPrepared));
        QCOMPARE(services.shortMessage(handle, 0xC9), kNoError);
        const auto after = std::chrono::steady_clock::now();

        const QList<RecordedMessage> received = VirtualDevices::received(out);
        QCOMPARE(received.size(), 4);
        QCOMPARE(received[0].shortMessage, 0x007E2499u);
        QCOMPARE(received[1].shortMessage, 0x00002499u);
        QCOMPARE(received[2].shortMessage, 0u);
        QCOMPARE(received[2].longMessage, QByteArray(bytes, 9));
        QCOMPARE(received[3].shortMessage, 0xC9u);
        QVERIFY(received[0].time >= before);
        QVERIFY(received[1].time - received[0].time >= std::chrono::milliseconds(5));
        for (int i = 1; i < received.size(); ++i) QVERIFY(received[i].time >= received[i - 1].time);
        QVERIFY(received[3].time <= after);

        VirtualDevices::clearReceived(out);
        QVERIFY(VirtualDevices::received(out).isEmpty());
        services.closeOutput(handle);
    }

    void openAndCloseAreCounted() {
        const unsigned out = VirtualDevices::addOutput("Counted");
        QVERIFY(!VirtualDevices::isOpen(out));
        for (int i = 0; i < 3; ++i) {
            const OutputHandle handle = openOutput(out);
            QVERIFY(VirtualDevices::isOpen(out));
            QCOMPARE(services.closeOutput(handle), kNoError);
        }
        QVERIFY(!VirtualDevices::isOpen(out));
        QCOMPARE(VirtualDevices::openCount(out), 3);
        QCOMPARE(VirtualDevices::closeCount(out), 3);
    }

    void longMessageStaysWithTheDeviceUntilDone() {
        const unsigned out = VirtualDevices::addOutput("Slow");
        VirtualDevices::setLongMessageDelay(out, 50);
        const OutputHandle handle = openOutput(out);
        char bytes[] = "\xF0\x7E\x7F\x09\x01\xF7";
        MidiHeader header{bytes, 6, 0, 0};
        services.prepareOutputHeader(handle, &header);
        QCOMPARE(services.longMessage(handle, &header), kNoError);
        QVERIFY(!(header.flags & MidiHeader::kDone));
        QCOMPARE(services.longMessage(handle, &header), kStillPlaying);
        QCOMPARE(services.unprepareOutputHeader(handle, &header), kStillPlaying);
        QCOMPARE(services.closeOutput(handle), kStillPlaying);
        QTRY_VERIFY(header.flags & MidiHeader::kDone);
        QCOMPARE(services.unprepareOutputHeader(handle, &header), kNoError);
        QCOMPARE(services.closeOutput(handle), kNoError);
    }

    void resetHandsBackHeldLongMessages() {
        const unsigned out = VirtualDevices::addOutput("Slow");
        VirtualDevices::setLongMessageDelay(out, 60000);
        const OutputHandle handle = openOutput(out);
        char bytes[] = "\xF0\x7E\x7F\x09\x01\xF7";
        MidiHeader header{bytes, 6, 0, 0};
        services.prepareOutputHeader(handle, &header);
        QCOMPARE(services.longMessage(handle, &header), kNoError);
        QCOMPARE(services.resetOutput(handle), kNoError);
        QVERIFY(header.flags & MidiHeader::kDone);
        QCOMPARE(services.unprepareOutputHeader(handle, &header), kNoError);
        QCOMPARE(services.closeOutput(handle), kNoError);
    }

    void injectedMessageArrivesOnTheUiThread() {
        const unsigned in = VirtualDevices::addInput("Keys");
        InputRecorder recorder;
        const InputHandle handle = openInput(in, &recorder);
        QVERIFY(handle != 0);
        QCOMPARE(services.startInput(handle), kNoError);
        std::thread cable([in] { VirtualDevices::injectShort(in, 0x00643C92); });
        cable.join();
        QTRY_COMPARE(recorder.reports.size(), 2);
        QCOMPARE(recorder.reports[0].kind, InputNotification::Opened);
        QCOMPARE(recorder.reports[1].kind, InputNotification::Data);
        QCOMPARE(recorder.reports[1].message, 0x00643C92u);
        QCOMPARE(recorder.reports[1].thread, QThread::currentThread());
        QCOMPARE(services.closeInput(handle), kNoError);
        QTRY_COMPARE(recorder.reports.size(), 3);
        QCOMPARE(recorder.reports[2].kind, InputNotification::Closed);
    }

    void reportsGoToTheTargetsThreadNotTheCallers() {
        // The target lives on the UI thread, the whole injection runs on another one.
        const unsigned in = VirtualDevices::addInput("Keys");
        InputRecorder recorder;
        const InputHandle handle = openInput(in, &recorder);
        services.startInput(handle);
        std::thread cable([&] {
            for (int note = 0; note < 20; ++note)
                VirtualDevices::injectShort(in, 0x7F0090 | note << 8);
        });
        cable.join();
        QTRY_COMPARE(recorder.count(InputNotification::Data), 20);
        for (const auto& report : recorder.reports)
            QCOMPARE(report.thread, QThread::currentThread());
        for (int note = 0; note < 20; ++note)
            QCOMPARE(recorder.reports[1 + note].message, std::uint32_t(0x7F0090 | note << 8));
        services.closeInput(handle);
    }

    void inputDeliversOnlyWhileStarted() {
        const unsigned in = VirtualDevices::addInput("Keys");
        InputRecorder recorder;
        const InputHandle handle = openInput(in, &recorder);
        VirtualDevices::injectShort(in, 0x90);  // not started yet
        services.startInput(handle);
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        VirtualDevices::injectShort(in, 0xF8);
        services.stopInput(handle);
        VirtualDevices::injectShort(in, 0x80);  // stopped
        QTest::qWait(20);
        QCOMPARE(recorder.count(InputNotification::Data), 1);
        QCOMPARE(recorder.reports.last().message, 0xF8u);
        QVERIFY(recorder.reports.last().timestampMs >= 25);  // milliseconds since start
        QVERIFY(recorder.reports.last().timestampMs < 5000);
        services.closeInput(handle);
    }

    void sysexFillsTheLentBuffer() {
        const unsigned in = VirtualDevices::addInput("Sysex");
        InputRecorder recorder;
        const InputHandle handle = openInput(in, &recorder);
        char storage[1024] = {};
        MidiHeader header{storage, sizeof storage, 0, 0};
        QCOMPARE(services.prepareInputHeader(handle, &header), kNoError);
        QCOMPARE(services.addInputBuffer(handle, &header), kNoError);
        QVERIFY(header.flags & MidiHeader::kInQueue);
        services.startInput(handle);
        QByteArray block(100, '\x11');
        block[0] = '\xF0';
        block[99] = '\xF7';
        VirtualDevices::injectLong(in, block);
        QTRY_COMPARE(recorder.count(InputNotification::LongData), 1);
        const auto& report = recorder.reports.last();
        QCOMPARE(report.header, &header);
        QCOMPARE(report.bytesRecorded, 100u);
        QCOMPARE(QByteArray(storage, 100), block);
        QVERIFY(header.flags & MidiHeader::kDone);
        QVERIFY(!(header.flags & MidiHeader::kInQueue));

        VirtualDevices::injectLong(in, block);  // no buffer lent: lost
        QTest::qWait(20);
        QCOMPARE(recorder.count(InputNotification::LongData), 1);

        QCOMPARE(services.addInputBuffer(handle, &header), kNoError);
        QCOMPARE(header.bytesRecorded, 0u);
        VirtualDevices::injectLong(in, QByteArray("\xF0\x01\x02", 3));  // no end byte
        QTRY_COMPARE(recorder.count(InputNotification::LongError), 1);
        QCOMPARE(recorder.reports.last().bytesRecorded, 3u);

        VirtualDevices::injectError(in, 0x0000F5);
        QTRY_COMPARE(recorder.count(InputNotification::Error), 1);
        QCOMPARE(recorder.reports.last().message, 0xF5u);

        QCOMPARE(services.unprepareInputHeader(handle, &header), kNoError);
        QCOMPARE(services.closeInput(handle), kNoError);
    }

    void longBlockContinuesInTheNextBuffer() {
        const unsigned in = VirtualDevices::addInput("Sysex");
        InputRecorder recorder;
        const InputHandle handle = openInput(in, &recorder);
        char first[8];
        char second[8];
        MidiHeader a{first, 8, 0, 0};
        MidiHeader b{second, 8, 0, 0};
        for (MidiHeader* header : {&a, &b}) {
            services.prepareInputHeader(handle, header);
            services.addInputBuffer(handle, header);
        }
        services.startInput(handle);
        VirtualDevices::injectLong(in,
                                   QByteArray("\xF0\x01\x02\x03\x04\x05\x06\x07\x08\x09\xF7", 11));
        QTRY_COMPARE(recorder.count(InputNotification::LongData), 2);
        QCOMPARE(a.bytesRecorded, 8u);
        QCOMPARE(b.bytesRecorded, 3u);
        QCOMPARE(QByteArray(second, 3), QByteArray("\x08\x09\xF7", 3));
        services.closeInput(handle);
    }

    void resetReturnsEveryLentBuffer() {
        const unsigned in = VirtualDevices::addInput("Keys");
        InputRecorder recorder;
        const InputHandle handle = openInput(in, &recorder);
        char storage[2][16];
        MidiHeader headers[2] = {{storage[0], 16, 0, 0}, {storage[1], 16, 0, 0}};
        for (MidiHeader& header : headers) {
            services.prepareInputHeader(handle, &header);
            services.addInputBuffer(handle, &header);
        }
        services.startInput(handle);
        QCOMPARE(services.resetInput(handle), kNoError);
        QTRY_COMPARE(recorder.count(InputNotification::LongData), 2);
        for (const MidiHeader& header : headers) {
            QVERIFY(header.flags & MidiHeader::kDone);
            QVERIFY(!(header.flags & MidiHeader::kInQueue));
            QCOMPARE(header.bytesRecorded, 0u);
        }
        VirtualDevices::injectShort(in, 0x90);  // reset also stopped the input
        QTest::qWait(20);
        QCOMPARE(recorder.count(InputNotification::Data), 0);
        QCOMPARE(services.closeInput(handle), kNoError);
    }

    void backedUpInputReportsMoreData() {
        const unsigned in = VirtualDevices::addInput("Busy");
        InputRecorder recorder;
        const InputHandle handle = openInput(in, &recorder);
        services.startInput(handle);
        for (int i = 0; i < 200; ++i) VirtualDevices::injectShort(in, 0xF8);  // none handled yet
        QTRY_COMPARE(
            recorder.count(InputNotification::Data) + recorder.count(InputNotification::MoreData),
            200);
        QVERIFY(recorder.count(InputNotification::MoreData) > 0);
        QCOMPARE(recorder.reports[1].kind, InputNotification::Data);
        VirtualDevices::injectShort(in, 0xF8);  // handled: no longer backed up
        QTRY_COMPARE(recorder.reports.last().kind, InputNotification::Data);
        QCOMPARE(recorder.reports.size(), 202);
        services.closeInput(handle);
    }

    void aDestroyedTargetGetsNothingMore() {
        const unsigned in = VirtualDevices::addInput("Keys");
        auto* recorder = new InputRecorder;
        const InputHandle handle = openInput(in, recorder);
        services.startInput(handle);
        std::atomic<bool> stop{false};
        std::thread cable([&] {
            while (!stop) VirtualDevices::injectShort(in, 0x90);
        });
        QTest::qWait(5);
        delete recorder;
        QTest::qWait(5);
        stop = true;
        cable.join();
        QCoreApplication::processEvents();
        QCOMPARE(services.closeInput(handle), kNoError);
    }

    void clearInvalidatesOpenHandles() {
        const unsigned out = VirtualDevices::addOutput("Gone");
        const unsigned in = VirtualDevices::addInput("Gone");
        const OutputHandle output = openOutput(out);
        InputRecorder recorder;
        const InputHandle input = openInput(in, &recorder);
        VirtualDevices::clear();
        QCOMPARE(services.outputCount(), 0u);
        QCOMPARE(services.shortMessage(output, 0x90), kInvalidHandle);
        QCOMPARE(services.startInput(input), kInvalidHandle);
        VirtualDevices::injectShort(in, 0x90);  // no such device any more: nothing happens
    }

    void rescanKeepsOpenHandles() {
        const unsigned out = VirtualDevices::addOutput("Kept");
        const OutputHandle handle = openOutput(out);
        services.rescan();
        VirtualDevices::addOutput("Later");
        QCOMPARE(services.shortMessage(handle, 0x90), kNoError);
        QCOMPARE(VirtualDevices::received(out).size(), 1);
        QCOMPARE(services.closeOutput(handle), kNoError);
    }
};

QTEST_MAIN(TstMidiServices)
#include "tst_midiservices.moc"
