// sysdlg-text-keys SOURCE-ROOT TABLE
// Checks a text table (host/texts/<language>.txt) against the keys the code
// under SOURCE-ROOT fetches and lists the keys without a text, the texts
// nothing fetches and the texts whose printf conversions differ from their
// default's. Exit status 0 when there are none, 1 when there are, 2 when
// the table cannot be read.
#include "tools/text-keys/TextKeys.h"

#include <cstdio>

namespace {

void List(const char* heading, const std::vector<std::string>& keys)
{
    if (keys.empty())
        return;
    std::printf("%s (%zu):\n", heading, keys.size());
    for (const std::string& key : keys)
        std::printf("  %s\n", key.c_str());
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SOURCE-ROOT TABLE\n", argv[0]);
        return 2;
    }
    CTextService table;
    std::string error;
    if (!table.LoadTable(argv[2], &error)) {
        std::fprintf(stderr, "%s: %s\n", argv[2], error.c_str());
        return 2;
    }
    const textkeys::Keys fetched = textkeys::FetchedKeys(argv[1]);
    const textkeys::Report report = textkeys::Check(fetched, table);
    List("keys without a text", report.missing);
    List("texts nothing fetches", report.stale);
    List("texts whose conversions differ from their default's", report.formats);
    std::printf("%zu keys fetched, %zu texts in the table\n", fetched.size(), table.GetTableSize());
    return report.Clean() ? 0 : 1;
}
