#include "virtualdevices.h"

#include "midiservices.h"
#include "servicesinternal.h"
#include "virtualbackend.h"

namespace midi {

using detail::virtualBackend;

unsigned VirtualDevices::addOutput(const QString& name) {
    return detail::virtualOutputId(virtualBackend().addOutput(name));
}

unsigned VirtualDevices::addInput(const QString& name) {
    return detail::virtualInputId(virtualBackend().addInput(name));
}

void VirtualDevices::clear() {
    detail::removeVirtualDevices();
}

QList<RecordedMessage> VirtualDevices::received(unsigned outputId) {
    return virtualBackend().received(detail::virtualOutputKey(outputId));
}

void VirtualDevices::clearReceived(unsigned outputId) {
    virtualBackend().clearReceived(detail::virtualOutputKey(outputId));
}

void VirtualDevices::setLongMessageDelay(unsigned outputId, int milliseconds) {
    virtualBackend().setLongMessageDelay(detail::virtualOutputKey(outputId), milliseconds);
}

void VirtualDevices::setPlacesByTime(unsigned outputId, bool on) {
    virtualBackend().setPlacesByTime(detail::virtualOutputKey(outputId), on);
}

bool VirtualDevices::isOpen(unsigned outputId) {
    return virtualBackend().isOpen(detail::virtualOutputKey(outputId));
}

int VirtualDevices::openCount(unsigned outputId) {
    return virtualBackend().openCount(detail::virtualOutputKey(outputId));
}

int VirtualDevices::closeCount(unsigned outputId) {
    return virtualBackend().closeCount(detail::virtualOutputKey(outputId));
}

void VirtualDevices::injectShort(unsigned inputId, std::uint32_t message) {
    virtualBackend().injectShort(detail::virtualInputKey(inputId), message);
}

void VirtualDevices::injectLong(unsigned inputId, const QByteArray& sysex) {
    virtualBackend().injectLong(detail::virtualInputKey(inputId), sysex);
}

void VirtualDevices::injectError(unsigned inputId, std::uint32_t message) {
    virtualBackend().injectError(detail::virtualInputKey(inputId), message);
}

}  // namespace midi
