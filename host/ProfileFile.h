// The instrument profile file: plain UTF-8 text, one `key = value` per line.
// Blank lines and lines starting with '#' are ignored; a key may appear only
// once. Keys not given keep the built-in default. Integers are decimal or
// 0x-prefixed hexadecimal; flags are 0/1, true/false, yes/no or on/off;
// texts take the escapes \n, \r, \t and \\; addresses are dotted
// (192.168.0.10); times are "YYYY/MM/DD hh:mm:ss".
//
//   product.id = 5801234                 product.pw7200 = 0
//   product.option_kq58_751 = 1          (only 1 counts as fitted)
//   main.version = 1,12,2,345            major, minor, revision letter code, build
//   main.text = 2024/04/01
//   driver.mlcu / driver.flcu / driver.prmp / driver.prmp_kp /
//   driver.amp / driver.bram / driver.comm = 1,0x05     major, minor
//   subcpu.mlcu / subcpu.flcu = 2,1,0x0102,256          major, minor, hardware, RAM MB
//   prmp.hw_version = 0x0201
//   amp.slot.<0-15> = <type code 0-255>  (0 = empty slot)
//   amp.name.<code> = DC AMP
//   amp.names = none                     (forgets the names given before it)
//   interface.rs232c / .event / .gps / .clock_sync / .remote = 0|1
//   network.dhcp = 0|1    network.address / .mask / .gateway = a.b.c.d
//   network.set_config_result = 1        (1 applied, 2 needs restart, other fails)
//   memory.blocks = 4                    (applied before the block keys)
//   memory.block.<n>.enabled = 1         memory.block.<n>.start = 2024/05/14 09:30:15
//   memory.block.<n>.samples = 2000      memory.block.<n>.interval_us = 100
//   memory.block.<n>.channel.<slot> = sine|triangle|square|ramp,<Hz>,<amplitude>[,<offset>]
//   memory.block.<n>.channel.<slot> = none          (removes that channel)
//   memory.block.<n>.channels = none     (removes the channels given before it)
//   memory.backup_reserve = 268435456    (bytes)
//   export.library = 0|1
//   printer.version = V2.10              printer.pattern_ms = 1500
//   printer.fail_at = none|lock|start|pattern|datachart
//   printer.fail_after = 3               (patterns printed before a pattern failure)
//   printer.failure_code = 1             printer.failure_state = 2
//   usb.eject_result = 1
//   playback.file = D:\data\wave.FSD     playback.close_succeeds = 1
#pragma once

#include "host/InstrumentProfile.h"

#include <string>

class ProfileFile {
public:
    // Applies the text on top of `profile`. All or nothing: on an error the
    // profile is unchanged and `error` reads "line N: <fault>".
    static bool Parse(const std::string& text, InstrumentProfile& profile, std::string& error);

    // Writes every key, so that Parse of the result over any profile gives
    // back this one.
    static std::string Write(const InstrumentProfile& profile);
};
