// The host's playback screen: it shows at most one recorded data file. What
// it holds is part of the simulated instrument (the profile's playback.file
// and playback.close_succeeds), so a profile can start the simulator with a
// file open, the touch-panel API can open or close one, and the state is kept
// with the instrument between runs.
//
// The file page asks before deleting the file in playback
// (DLGREQ_IS_PLAYBACK_FILE, then DLGREQ_CLOSE_PLAYBACK); the USB release
// closes whatever is open (DLGREQ_QUERY_PLAYBACK, then DLGREQ_CLOSE_PLAYBACK).
#pragma once

#include <string>
#include <string_view>

class PlaybackScreen {
public:
    // The Windows path of the file on the screen; empty when none.
    static std::wstring OpenFile();
    static bool IsOpen() { return !OpenFile().empty(); }

    // True when `windowsPath` names the file on the screen, however it is
    // spelled (case, slashes, "." and ".."), or a folder it lies below.
    static bool Holds(std::wstring_view windowsPath);

    // Releases the file. False, with the file kept, when the instrument is
    // set to fail (playback.close_succeeds = 0). An empty screen closes.
    static bool Close();
    // The operator closes the screen: always succeeds.
    static void Clear();

    // Opens a file: it must be a file inside the data root. The screen keeps
    // the path in its full, normalised form, named as the drive names it. False with the reason otherwise.
    static bool Open(std::wstring_view windowsPath, std::string& error);

    // Both paths name the same place. Paths that cannot be mapped compare by
    // their text, without regard to case.
    static bool SamePath(std::wstring_view a, std::wstring_view b);
};
