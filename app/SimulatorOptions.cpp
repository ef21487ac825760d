#include "SimulatorOptions.h"

#include "LanguageChoice.h"

#include <charconv>

bool SimulatorOptions::Parse(const std::vector<std::string>& arguments, SimulatorOptions& out, std::string& error)
{
    SimulatorOptions parsed;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string flag = arguments[i];
        std::string value;
        bool hasValue = false;
        // Both "--port 8080" and "--port=8080".
        if (std::size_t equals = flag.find('='); flag.rfind("--", 0) == 0 && equals != std::string::npos) {
            value = flag.substr(equals + 1);
            flag = flag.substr(0, equals);
            hasValue = true;
        }
        if (flag == "--help" || flag == "-h") {
            parsed.help = true;
            continue;
        }
        if (flag != "--root" && flag != "--port" && flag != "--profile" && flag != "--listen" && flag != "--lang") {
            error = "unknown argument: " + arguments[i];
            return false;
        }
        if (!hasValue) {
            if (i + 1 >= arguments.size()) {
                error = flag + " needs a value";
                return false;
            }
            value = arguments[++i];
        }
        if (flag == "--port") {
            int port = -1;
            auto [end, fault] = std::from_chars(value.data(), value.data() + value.size(), port);
            if (fault != std::errc() || end != value.data() + value.size() || port < 0 || port > 65535) {
                error = "--port takes a number from 0 to 65535, not '" + value + "'";
                return false;
            }
            parsed.port = port;
        } else if (value.empty()) {
            error = flag + " needs a non-empty value";
            return false;
        } else if (flag == "--root") {
            parsed.root = value;
        } else if (flag == "--lang") {
            if (!LanguageChoice::IsKnown(value)) {
                error = "--lang takes " + LanguageChoice::KnownList() + ", not '" + value + "'";
                return false;
            }
            parsed.language = value;
        } else if (flag == "--profile") {
            parsed.profile = value;
        } else {
            parsed.listen = value;
        }
    }
    out = parsed;
    return true;
}

const char* SimulatorOptions::Usage()
{
    return "usage: sysdlg-sim [--root DIR] [--port N] [--profile FILE] [--listen ADDR] [--lang ja|en]\n"
           "  --root DIR       data root with the drives C, D, E and the host state (default ./instrument;\n"
           "                   created with sample content on first run)\n"
           "  --port N         HTTP port of the touch panel (default 8080; 0 picks a free port)\n"
           "  --profile FILE   instrument profile file (default: the built-in instrument)\n"
           "  --listen ADDR    address to listen on (default 127.0.0.1); on any other address every\n"
           "                   API call needs the token printed at start\n"
           "  --lang ja|en     language of the dialogs (default: the one last chosen on the panel, else ja)\n";
}

bool SimulatorOptions::IsLoopbackAddress(const std::string& address)
{
    return address == "localhost" || address == "::1" || address.rfind("127.", 0) == 0;
}
