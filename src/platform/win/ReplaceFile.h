#pragma once
// Writing a whole file so that a failure never leaves it half written: the bytes go to a new file
// beside it, which then takes the old one's place in one step. Where that cannot be (the folder
// refuses new files, or the file has other hard links that must go on seeing it), the file is written
// in place, with its old bytes kept in the private temporary folder until the new ones are on disk.
#include <functional>
#include <string>

class TStream;

// Writes the file's whole content through Write, which gets a stream onto the new file. An existing
// file keeps its permission bits, its owner and group where the saver may set them, and its hard
// links; a symbolic link, even one whose target does not exist yet, keeps pointing at the file it
// names, which is what gets written. A file without any write permission is refused as the system
// refuses it ("Permission denied"). Temporary files that a save killed half way left beside the file
// are removed. On any failure the old file is left as it was and EFCreateError or EWriteError says
// what went wrong.
void WriteFileReplacing(const std::string& FileName, const std::function<void(TStream& Stream)>& Write);

// For tests: called with the folder each time a save has flushed it to the disk after the new file
// took its name there, so that the new name survives a power cut.
using TFolderSyncWatch = std::function<void(const std::string& Folder)>;
void SetFolderSyncWatch(TFolderSyncWatch Watch);
