// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <istream>
#include <streambuf>

#include "files/file_descriptor.h"

namespace quintara::files {

// Reads an open file a buffer at a time; a read error ends it as the end of the file does.
class DescriptorBuffer final : public std::streambuf {
public:
    explicit DescriptorBuffer(FileDescriptor file);

protected:
    int_type underflow() override;

private:
    FileDescriptor file_;
    ReadBuffer buffer_{};
};

// An input stream over a file the stream owns and closes.
class DescriptorInput final : public std::istream {
public:
    explicit DescriptorInput(FileDescriptor file);

private:
    DescriptorBuffer buffer_;
};

}  // namespace quintara::files
