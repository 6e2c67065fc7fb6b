#pragma once

// What the file operations on result rows tell the user.
namespace zephrix::texts {

inline constexpr char NoApplication[] =
    "I could not find an application that would open this file, please open My Computer, Select Tools - "
    "Folder Options, and then click the File Types tab and ensure that this file is linked to a program.";
inline constexpr char CannotOpen[] =
    "I regret that at this time I am not able to automatically open this file, "
    "please ensure that it has an application assigned to it.";
inline constexpr char NameExists[] = "A file with this name already exist.";
inline constexpr char ConfirmDelete[] =
    "You are about to perminently delete all the files and folders that you have selected.  This delete can "
    "not be undone, are you sure you wish to proceed?";

// %1: the full path.
inline constexpr char EntryGone[] = "I could not find \"%1\" any more.  It may have been moved, renamed or "
                                    "deleted since the search; please search again.";

inline constexpr char NameWithSlash[] =
    "A name can not contain the character \"/\".  Please choose another name.";
inline constexpr char NameWithNul[] = "A name can not contain a NUL character.  Please choose another name.";
inline constexpr char ReservedName[] =
    "\".\" and \"..\" can not be used as names.  Please choose another name.";
inline constexpr char NameTooLong[] =
    "That name is too long: a name can hold at most 255 bytes.  Please choose a shorter name.";
// %1 the old name, %2 the new name, %3 the system's reason.
inline constexpr char RenameFailed[] = "I could not rename \"%1\" to \"%2\": %3.";

// %1: how many rows stay.
inline constexpr char OneNotDeleted[] =
    "I could not delete 1 of the selected files and folders.  It is write-protected, holds another drive, "
    "or changed since the search, so it stays in the results list.";
inline constexpr char SomeNotDeleted[] =
    "I could not delete %1 of the selected files and folders.  They are write-protected, hold another "
    "drive, or changed since the search, so they stay in the results list.";

} // namespace zephrix::texts
