// MATLAB export: a Level 4 MAT-file (the format that MATLAB, Octave and
// SciPy's loadmat read as version 4). Each matrix is a 20-byte header of five
// little-endian 32-bit integers
//
//   type    M*1000 + O*100 + P*10 + T: M 0 little-endian IEEE, O 0,
//           P 0 double-precision data, T 0 numeric or 1 text
//   mrows, ncols
//   imagf   0 (real data only)
//   namlen  length of the name including its NUL
//
// followed by the name and mrows*ncols doubles in column order.
//
// The export of recorded data writes, in this order:
//
//   time               N x 1  seconds from the start
//   <channel>          N x 1  each channel's physical values, named after the
//                             channel (made a valid variable name: letters,
//                             digits and '_', starting with a letter, at most
//                             31 characters, unique)
//   start_time         1 x 6  year, month, day, hour, minute, second (with
//                             the milliseconds as a fraction)
//   sampling_interval  1 x 1  seconds
//   channel_names      C x L  text, one channel's original name per row in
//                             UTF-8 (one byte per element, as Level 4 text
//                             holds 8-bit characters), padded with blanks
//   channel_units      C x L  text, the units likewise
#pragma once

#include "host/formats/RecordedData.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace formats {

struct Mat4Matrix {
    std::string name;
    std::uint32_t rows = 0;
    std::uint32_t columns = 0;
    bool text = false;          // T = 1: the values are character codes
    std::vector<double> real;   // column order: element (r, c) at c * rows + r
    std::vector<double> imaginary;  // empty unless the file stored an imaginary part

    double At(std::uint32_t row, std::uint32_t column) const { return real[std::size_t{column} * rows + row]; }
    // Row `row` of a text matrix read as UTF-8, trailing blanks removed.
    std::wstring TextRow(std::uint32_t row) const;
};

// Appends one matrix to `bytes`.
void AppendMat4Matrix(std::string& bytes, const Mat4Matrix& matrix);
// A text matrix with one row per text in UTF-8, padded with blanks.
Mat4Matrix MakeMat4Text(const std::string& name, const std::vector<std::wstring>& rows);
// A valid, unique variable name for `wanted` (see above); `taken` lists the
// names already used and receives the new one.
std::string MakeMat4VariableName(const std::wstring& wanted, std::vector<std::string>& taken);

std::string EncodeMat4Export(const RecordedData& data, std::string* error = nullptr);
bool WriteMat4File(const std::filesystem::path& path, const RecordedData& data, std::string* error = nullptr);

// Reads every matrix of a Level 4 file written in little-endian IEEE with
// double data (the kind this host writes); anything else, a truncated matrix
// or an unterminated name is refused.
bool DecodeMat4(std::string_view bytes, std::vector<Mat4Matrix>& matrices, std::string* error = nullptr);
bool ReadMat4File(const std::filesystem::path& path, std::vector<Mat4Matrix>& matrices,
                  std::string* error = nullptr);

}  // namespace formats
