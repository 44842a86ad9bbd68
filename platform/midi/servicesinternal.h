#pragma once

#include <QString>

// What VirtualDevices needs of MidiServices' device list.
namespace midi::detail {

class VirtualBackend;

VirtualBackend& virtualBackend();
// The key of the virtual device behind a device id, or an empty text when that id is no
// virtual device.
QString virtualOutputKey(unsigned id);
QString virtualInputKey(unsigned id);
// Re-reads the device list and gives the id of a virtual device.
unsigned virtualOutputId(const QString& key);
unsigned virtualInputId(const QString& key);
// Closes every handle on a virtual device, removes the devices, re-reads the list.
void removeVirtualDevices();

}  // namespace midi::detail
