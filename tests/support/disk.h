#pragma once

#include <stop_token>

// The disk as the export file meets it, through the calls it makes to wait for it: each stretch's
// write-back, the final data sync and the folder's sync. Linked into a test, it stands in for
// those calls: it can make them fail as a disk that refuses data at write-back does, and it can
// hold a batch part-way.
namespace disk {

enum class Fault {
    None,
    WriteBack,        // each stretch's write-back fails: no space left
    DataSync,         // the final data sync fails: an I/O error
    FolderSync,       // the folder's sync fails: an I/O error
    StopWhileSyncing, // the batch is asked to stop while its final data sync runs
};
void setFault(Fault fault, std::stop_source stop = {});

// While shut, a batch that has written its first stretch waits in its write-back, without
// holding the generator. It goes on once the gate opens, or once the batch is told to stop: its
// drawing thread, which waits for room in the ring meanwhile, then ends.
void shut();
// While shut so, a batch waits in its final sync, as on a slow disk, until the gate opens,
// whether it is told to stop or not.
void shutFinalSync();
void open();
// A batch waits at a shut gate.
bool holding();

} // namespace disk
