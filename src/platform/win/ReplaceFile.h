#pragma once
// Writing a whole file so that a failure never leaves it half written: the bytes go to a new file
// beside it, which then takes the old one's place in one step. Where that cannot be (the folder
// refuses new files, or the file has other hard links that must go on seeing it), the file is written
// in place, with its old bytes kept in the user's state folder until the new ones are on disk.
#include <functional>
#include <string>
#include <vector>

class TStream;

// Writes the file's whole content through Write, which gets a stream onto the new file. An existing
// file keeps its permission bits, its owner and group where the saver may set them, and its hard
// links; a symbolic link, even one whose target does not exist yet, keeps pointing at the file it
// names, which is what gets written. A file without any write permission is refused as the system
// refuses it ("Permission denied"). Temporary files that saves killed half way left beside their files
// are removed, and only those. On any failure the old file is left as it was and EFCreateError or
// EWriteError says what went wrong.
void WriteFileReplacing(const std::string& FileName, const std::function<void(TStream& Stream)>& Write);

// For tests: called with the folder each time a save has flushed it to the disk after the new file
// took its name there, so that the new name survives a power cut.
using TFolderSyncWatch = std::function<void(const std::string& Folder)>;
void SetFolderSyncWatch(TFolderSyncWatch Watch);

// A save that wrote its file in place and was killed half way: the file may be half written, and its
// old contents are kept in OldCopy, a file of the user's state folder.
struct TCutShortSave {
  std::string FileName;
  std::string OldCopy;
  std::string Record;
};
// Those of the file FileName, under whatever name it was saved; all of them for an empty name. Saves
// still running in some program are none of them.
std::vector<TCutShortSave> FindCutShortSaves(const std::string& FileName);
// Puts the old contents back into the file, then removes the copy.
void RestoreCutShortSave(const TCutShortSave& Save);
// Leaves the old copy where it is, for the user, and asks about it no more.
void ForgetCutShortSave(const TCutShortSave& Save);
