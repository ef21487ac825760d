#include "host/formats/MatFile4.h"

#include "host/formats/AtomicFile.h"
#include "host/formats/LittleEndian.h"
#include "win/TextConvert.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace formats {

namespace {

constexpr std::size_t kMaxVariableName = 31;

void Fail(std::string* error, const std::string& why)
{
    if (error)
        *error = why;
}

bool IsAsciiLetter(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); }
bool IsAsciiDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

}  // namespace

std::wstring Mat4Matrix::TextRow(std::uint32_t row) const
{
    std::string bytes;
    for (std::uint32_t column = 0; column < columns; ++column)
        bytes += static_cast<char>(static_cast<unsigned char>(At(row, column)));
    while (!bytes.empty() && bytes.back() == ' ')
        bytes.pop_back();
    return win::Utf8ToWide(bytes);
}

void AppendMat4Matrix(std::string& bytes, const Mat4Matrix& matrix)
{
    ByteWriter out;
    out.I32(matrix.text ? 1 : 0);
    out.U32(matrix.rows);
    out.U32(matrix.columns);
    out.I32(matrix.imaginary.empty() ? 0 : 1);
    out.U32(static_cast<std::uint32_t>(matrix.name.size() + 1));
    out.Bytes(matrix.name);
    out.U8(0);
    for (double value : matrix.real)
        out.F64(value);
    for (double value : matrix.imaginary)
        out.F64(value);
    bytes += out.Data();
}

Mat4Matrix MakeMat4Text(const std::string& name, const std::vector<std::wstring>& rows)
{
    // Level 4 text is one byte per element: the texts are stored as UTF-8.
    std::vector<std::string> encoded;
    std::size_t width = 0;
    for (const std::wstring& row : rows) {
        encoded.push_back(win::WideToUtf8(row));
        width = std::max(width, encoded.back().size());
    }
    Mat4Matrix matrix;
    matrix.name = name;
    matrix.text = true;
    matrix.rows = static_cast<std::uint32_t>(rows.size());
    matrix.columns = static_cast<std::uint32_t>(rows.empty() ? 0 : width);
    matrix.real.assign(std::size_t{matrix.rows} * matrix.columns, static_cast<double>(' '));
    for (std::uint32_t r = 0; r < matrix.rows; ++r)
        for (std::size_t c = 0; c < encoded[r].size(); ++c)
            matrix.real[c * matrix.rows + r] = static_cast<unsigned char>(encoded[r][c]);
    return matrix;
}

std::string MakeMat4VariableName(const std::wstring& wanted, std::vector<std::string>& taken)
{
    std::string name;
    for (wchar_t c : wanted)
        name += (IsAsciiLetter(c) || IsAsciiDigit(c) || c == L'_') ? static_cast<char>(c) : '_';
    if (name.empty() || !IsAsciiLetter(static_cast<wchar_t>(name.front())))
        name = "ch_" + name;
    name.resize(std::min(name.size(), kMaxVariableName));
    std::string unique = name;
    for (int n = 2; std::find(taken.begin(), taken.end(), unique) != taken.end(); ++n) {
        std::string suffix = "_" + std::to_string(n);
        unique = name.substr(0, kMaxVariableName - suffix.size()) + suffix;
    }
    taken.push_back(unique);
    return unique;
}

std::string EncodeMat4Export(const RecordedData& data, std::string* error)
{
    std::string invalid = ValidateRecordedData(data);
    if (!invalid.empty()) {
        Fail(error, invalid);
        return {};
    }
    const std::size_t count = data.SampleCount();
    std::vector<std::string> taken = {"time", "start_time", "sampling_interval", "channel_names", "channel_units"};
    std::string bytes;
    bytes.reserve((data.channels.size() + 1) * (count * 8 + 64) + 512);

    Mat4Matrix time{"time", static_cast<std::uint32_t>(count), 1, false, {}, {}};
    time.real.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        time.real.push_back(data.TimeOf(i));
    AppendMat4Matrix(bytes, time);

    std::vector<std::wstring> names, units;
    for (const DataChannel& channel : data.channels) {
        Mat4Matrix values{MakeMat4VariableName(channel.name, taken), static_cast<std::uint32_t>(count), 1, false, {}, {}};
        values.real.reserve(count);
        for (std::size_t i = 0; i < count; ++i)
            values.real.push_back(channel.Value(i));
        AppendMat4Matrix(bytes, values);
        names.push_back(channel.name);
        units.push_back(channel.unit);
    }

    const SYSTEMTIME& t = data.start;
    AppendMat4Matrix(bytes, {"start_time", 1, 6, false,
                             {double(t.wYear), double(t.wMonth), double(t.wDay), double(t.wHour), double(t.wMinute),
                              t.wSecond + t.wMilliseconds / 1000.0},
                             {}});
    AppendMat4Matrix(bytes, {"sampling_interval", 1, 1, false, {data.intervalSeconds}, {}});
    AppendMat4Matrix(bytes, MakeMat4Text("channel_names", names));
    AppendMat4Matrix(bytes, MakeMat4Text("channel_units", units));
    return bytes;
}

bool WriteMat4File(const std::filesystem::path& path, const RecordedData& data, std::string* error)
{
    std::string bytes = EncodeMat4Export(data, error);
    return !bytes.empty() && WriteFileAtomically(path, bytes, error);
}

bool DecodeMat4(std::string_view bytes, std::vector<Mat4Matrix>& matrices, std::string* error)
{
    std::vector<Mat4Matrix> result;
    ByteReader in(bytes);
    while (in.Remaining() > 0) {
        const std::int32_t type = in.I32();
        Mat4Matrix matrix;
        matrix.rows = in.U32();
        matrix.columns = in.U32();
        const std::int32_t imaginary = in.I32();
        const std::uint32_t nameLength = in.U32();
        if (in.Failed()) {
            Fail(error, "matrix header cut short");
            return false;
        }
        const int m = type / 1000, o = (type / 100) % 10, p = (type / 10) % 10, t = type % 10;
        if (type < 0 || m != 0 || o != 0 || p != 0 || (t != 0 && t != 1)) {
            Fail(error, "unsupported matrix type " + std::to_string(type));
            return false;
        }
        if ((imaginary != 0 && imaginary != 1) || nameLength == 0 || nameLength > in.Remaining()) {
            Fail(error, "bad matrix header");
            return false;
        }
        std::string_view name = in.Bytes(nameLength);
        if (name.back() != '\0' || name.find('\0') != name.size() - 1) {
            Fail(error, "matrix name not terminated");
            return false;
        }
        matrix.name = std::string(name.substr(0, name.size() - 1));
        matrix.text = t == 1;
        const std::uint64_t elements = std::uint64_t{matrix.rows} * matrix.columns;
        const std::uint64_t parts = imaginary ? 2 : 1;
        if (elements > in.Remaining() / 8 / parts) {
            Fail(error, "matrix " + matrix.name + " cut short");
            return false;
        }
        matrix.real.resize(elements);
        for (double& value : matrix.real)
            value = in.F64();
        if (imaginary) {
            matrix.imaginary.resize(elements);
            for (double& value : matrix.imaginary)
                value = in.F64();
        }
        result.push_back(std::move(matrix));
    }
    matrices = std::move(result);
    return true;
}

bool ReadMat4File(const std::filesystem::path& path, std::vector<Mat4Matrix>& matrices, std::string* error)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        Fail(error, "cannot open " + path.string());
        return false;
    }
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    return DecodeMat4(bytes, matrices, error);
}

}  // namespace formats
