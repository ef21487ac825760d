// The host's settings file: the whole configuration that the system dialog
// edits, as plain UTF-8 text. The simulator writes it for the environment
// save (DLGREQ_SAVE_SETTINGS), reads it for the load (DLGREQ_LOAD_SETTINGS)
// and keeps its own state between runs in the same format.
//
//   # comment lines start with '#'
//   format = SYSDLG-SIM SETTINGS 1
//   folder = D:\data\                   current folder (UTF-8, escapes \n \t \\ \s)
//   comm.ups_on_rs232c = 0              comm.port = 1     comm.delimiter = 3
//   comm.timeout = 10000                comm.baud_rate = 9600
//   comm.data_bits = 8                  comm.stop_bits = 0
//   comm.parity = 0                     comm.flow_control = 0
//   comm.send_on_trigger = 0            comm.send_on_record_end = 0
//   comm.send_on_error = 0              comm.reserved = 00000000 (4 bytes, hex)
//   misc.buzzer = 1                     misc.click_sound = 1
//   misc.display_auto_off = 0           misc.key_lock_on_resume = 0
//   misc.auto_off_delay = 10            misc.screen_copy_to_paper = 1
//   misc.screen_copy_to_folder = 0      misc.screen_copy_folder = D:\ (text)
//   misc.password = (text)              misc.no_memory_save_at_shutdown = 0
//   misc.maintenance_next_start = 0     misc.mouse_cursor = 0
//   misc.reserved = 000000 (3 bytes, hex)
//   <text key>.tail = hex               optional: non-zero bytes after a text's
//                                       terminator, so the buffer comes back whole
//   section = CONFIG_SYSMEAS            then the measurement object's own text
//   section = CONFIG_SYSREC 1           then the first recording object's text
//   section = CONFIG_SYSREC 2           then the second recording object's text
//   checksum = 1a2b3c4d                 CRC-32 of every byte before this line
//   end = SYSDLG-SIM SETTINGS
//
// The sections hold the objects' settings text (host/ConfigText.h) as it is.
// Reading is all or nothing: a file with another format line, a missing or
// unknown key, a value out of range, a missing section, a checksum that does
// not match or no end line (a truncated file) is refused and the state is
// left exactly as it was.
#pragma once

#include "win/WholeFile.h"

#include "HostState.h"

#include <cstdint>
#include <string>
#include <string_view>

class SettingsFile {
public:
    static constexpr const char* kFormat = "SYSDLG-SIM SETTINGS 1";

    static std::string Write(const HostState& state);
    static bool Read(std::string_view text, HostState& state, std::string& error);

    // Files, by file-system path. Save writes a temporary file beside the
    // target and renames it over, so a failed save leaves the old file.
    static bool Save(const std::string& posixPath, const HostState& state, std::string& error);
    static bool Load(const std::string& posixPath, HostState& state, std::string& error,
                     win::FollowLinks links = win::FollowLinks::Yes);

    static std::uint32_t Crc32(std::string_view bytes);
};
