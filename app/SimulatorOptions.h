// The simulator's command line.
#pragma once

#include <string>
#include <vector>

struct SimulatorOptions {
    std::string root = "./instrument";   // data root: drives, host state, sample data
    int port = 8080;                     // 0 picks a free port
    std::string profile;                 // instrument profile file; empty: the built-in default
    std::string listen = "127.0.0.1";    // any other address makes every API call need the token
    std::string language;                // "ja" or a built-in table's; empty: as last chosen, else "ja"
    bool help = false;

    // Parses the arguments after the program name. Returns false, with a
    // message naming the fault, on an unknown flag, a missing or bad value.
    static bool Parse(const std::vector<std::string>& arguments, SimulatorOptions& out, std::string& error);
    static const char* Usage();

    // True for 127.0.0.0/8, ::1 and "localhost".
    static bool IsLoopbackAddress(const std::string& address);
};
