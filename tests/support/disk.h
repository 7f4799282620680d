#pragma once

#include <stop_token>

// The disk as the export file meets it, through the calls it makes to wait for it (each
// chunk's write-back, the final data sync and the folder's sync) and to make, name and remove
// its temporary file. Linked into a test, it stands in for those calls: it can make them fail as
// a disk or a folder that refuses them does, and it can hold a batch part-way.
namespace disk {

// Any of these at once.
enum Fault : unsigned {
    None = 0,
    WriteBack = 1,         // each chunk's write-back fails: no space left
    DataSync = 2,          // the final data sync fails: an I/O error
    FolderSync = 4,        // the folder's sync fails: an I/O error
    StopWhileSyncing = 8,  // the batch is asked to stop while its final data sync runs
    NoUnnamedFiles = 16,   // the file system makes no unnamed files (O_TMPFILE), as FUSE and NFS
    NamingFails = 32,      // giving the unnamed file a name fails: no space left for it
    RemovalRefused = 64,   // files cannot be removed, as in an append-only folder
    // The disk lost part of the file as it wrote it back: the first wait for an earlier part
    // finds the error, and no later call does, as Linux reports it once.
    WriteBackLost = 128,
    DataSyncUnsupported = 256,   // the file system cannot sync a file: the data sync answers EINVAL
    FolderSyncUnsupported = 512, // nor a folder: the folder's sync answers EINVAL
};
void setFault(unsigned faults, std::stop_source stop = {});

// While shut, a batch that has written its first chunk of the file waits in its write-back,
// without holding the generator. It goes on once the gate opens, or once the batch is told to
// stop: the batch's other thread, which waits for its turn meanwhile, then ends.
void shut();
// While shut so, a batch waits in its final sync, as on a slow disk, until the gate opens,
// whether it is told to stop or not.
void shutFinalSync();
void open();
// A batch waits at a shut gate.
bool holding();

} // namespace disk
