// A PNG file's chunk structure walked before the image library sees it. The library's own
// reader answers a cut-short or damaged file by printing to the terminal (and leaking), and a
// header can claim far more pixels than the file holds; both are told here instead.
#pragma once

#include <istream>
#include <string>

namespace lumora::cli {

// Whether `in` starts with the PNG signature; reads those 8 bytes.
bool hasPngSignature(std::istream &in);

// Past the signature: empty when every chunk up to IEND is whole, the critical ones carry their
// checksum and the image data can hold the pixels the header claims; else what is wrong.
std::string pngFault(std::istream &in);

} // namespace lumora::cli
