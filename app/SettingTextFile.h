// The host's setting text file ("テキスト保存"): chosen groups of the
// configuration as plain UTF-8 text, meant to be read and edited on a
// computer and loaded back into the instrument. The groups are the items of
// the file page's text-save choice, bit n of the content mask being item n:
//
//   bit 0  信号名称            signal.<rec>.<ch>.<line> = text
//                              rec 1 or 2 (the two recording objects),
//                              channel 1 to 16, line 1 to 8, 30 characters
//   bit 1  ページアノテーション  annotation.<rec>.<line> = text   line 1 to 108, 79 characters
//   bit 2  計測情報            measinfo.<rec>.<line> = text     line 1 to 108, 30 characters
//   bit 3  通信                comm.<key> = value   every setting of the
//                              communication block, with the keys of the
//                              settings file (SettingsFile.h); all of them
//                              must be there
//   bit 4  関数演算            no keys: this instrument keeps no calculation settings
//   bit 5  Amp Unit            no keys: nor settings of its amplifier units
//
//   # comment
//   format = SYSDLG-SIM SETTING TEXT 1
//   contents = 0x07                    the groups the file holds
//   signal.1.1.1 = Voltage\sIn         texts with the escapes \n \t \\ \s
//   ...
//   end = SYSDLG-SIM SETTING TEXT
//
// Only texts that are not empty are written. Loading a group replaces it
// whole: a text the file does not name becomes empty. Loading is all or
// nothing: a file with another format line, no end line (cut short), a key
// of a group it does not declare, an unknown key, an index or a value out of
// range or a text too long for its field is refused and changes nothing.
#pragma once

#include "HostState.h"

#include <cstdint>
#include <string>
#include <string_view>

class SettingTextFile {
public:
    static constexpr const char* kFormat = "SYSDLG-SIM SETTING TEXT 1";
    static constexpr std::uint16_t kGroupSignalNames = 0x01;
    static constexpr std::uint16_t kGroupAnnotations = 0x02;
    static constexpr std::uint16_t kGroupMeasurementInfo = 0x04;
    static constexpr std::uint16_t kGroupCommunication = 0x08;
    static constexpr std::uint16_t kGroupCalculation = 0x10;
    static constexpr std::uint16_t kGroupAmpUnit = 0x20;
    static constexpr std::uint16_t kAllGroups = 0x3F;

    // The groups of `contents` (bits above the six are ignored).
    static std::string Write(const HostState& state, std::uint16_t contents);
    // Loads the groups that both the file and `contents` name; `loaded`
    // receives them.
    static bool Read(std::string_view text, std::uint16_t contents, HostState& state, std::uint16_t& loaded,
                     std::string& error);

    // Files by file-system path; saving is atomic (no partial file).
    static bool Save(const std::string& posixPath, const HostState& state, std::uint16_t contents,
                     std::string& error);
    static bool Load(const std::string& posixPath, std::uint16_t contents, HostState& state, std::string& error);
};
