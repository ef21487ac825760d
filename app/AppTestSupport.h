// What the simulator's tests share: the default instrument for the test's
// duration, whole files read and written as bytes, and a host receiver on a
// new data root.
#pragma once

#include "HostReceiver.h"
#include "host/InstrumentProfile.h"
#include "tests/harness/TempDataRoot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace app_testing {

// Puts the default instrument in place; the one before comes back at the end.
class DefaultInstrument {
public:
    DefaultInstrument() { InstrumentProfile::SetCurrent(InstrumentProfile::Default()); }
    ~DefaultInstrument() { InstrumentProfile::SetCurrent(*m_saved); }
    DefaultInstrument(const DefaultInstrument&) = delete;
    DefaultInstrument& operator=(const DefaultInstrument&) = delete;

private:
    std::shared_ptr<const InstrumentProfile> m_saved = InstrumentProfile::Current();
};

inline std::string ReadAll(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

inline void WriteAll(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// The names in a folder, sorted and joined by blanks, to show exactly what a
// request left there.
inline std::string Listing(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    std::string joined;
    for (const std::string& name : names)
        joined += (joined.empty() ? "" : " ") + name;
    return joined;
}

// The host's receiver on a new data root with the default instrument;
// `persisted` counts the times it kept its state.
class ReceiverTest : public ::testing::Test {
protected:
    // A request of `kind`, completed by `fill`, as the receiver answered it.
    T_DLG_REQUEST Send(DWORD kind, const std::function<void(T_DLG_REQUEST&)>& fill = {})
    {
        T_DLG_REQUEST request;
        request.Prepare(this, kind);
        if (fill)
            fill(request);
        receiver.OnDLGRequest(&request, 1);
        return request;
    }
    // A request whose first field is `path`.
    T_DLG_REQUEST SendPath(DWORD kind, const wchar_t* path)
    {
        return Send(kind, [path](T_DLG_REQUEST& request) { request.SetPointer(12, path); });
    }
    // The "host" field of the newest log entry: what the host did or why it refused.
    std::wstring LastNote() const
    {
        const auto entries = log.Since(0);
        if (entries.empty())
            return L"(no entry)";
        for (const DlgRequestField& field : entries.back().fields)
            if (field.name == L"host")
                return field.value;
        return L"(no host field)";
    }

    testing_support::TempDataRoot dataRoot;
    DefaultInstrument instrument;
    std::filesystem::path root{dataRoot.Path()};
    HostState state;
    RequestLog log;
    int persisted = 0;
    HostReceiver receiver{state, log, [this] { ++persisted; }};
};

}  // namespace app_testing
