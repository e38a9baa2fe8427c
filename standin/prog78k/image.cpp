#include "prog78k/image.h"

#include <cctype>

namespace standin
{

namespace
{

int hexByte(const std::string& s, std::size_t at)
{
    if (at + 2 > s.size())
        return -1;
    int v = 0;
    for (std::size_t i = at; i < at + 2; ++i) {
        const int c = std::toupper(static_cast<unsigned char>(s[i]));
        if (c >= '0' && c <= '9')
            v = v * 16 + (c - '0');
        else if (c >= 'A' && c <= 'F')
            v = v * 16 + (c - 'A' + 10);
        else
            return -1;
    }
    return v;
}

// The record's bytes after its type marker; empty when a pair is not hex.
std::vector<int> bytesOf(const std::string& line, std::size_t from)
{
    std::vector<int> out;
    for (std::size_t i = from; i + 1 < line.size(); i += 2) {
        const int b = hexByte(line, i);
        if (b < 0)
            return {};
        out.push_back(b);
    }
    return out;
}

void note(TargetImage& image, long address, long count)
{
    image.bytes += count;
    ++image.records;
    if (count <= 0)
        return;
    if (image.low < 0 || address < image.low)
        image.low = address;
    if (address + count - 1 > image.high)
        image.high = address + count - 1;
}

void sRecord(TargetImage& image, const std::string& line, int number)
{
    const std::vector<int> b = bytesOf(line, 2);
    if (b.empty() || static_cast<std::size_t>(b[0]) + 1 != b.size()) {
        image.problems.push_back("line " + std::to_string(number) + ": broken record");
        return;
    }
    int sum = 0;
    for (int v : b)
        sum += v;
    if ((sum & 0xFF) != 0xFF) {
        image.problems.push_back("line " + std::to_string(number) + ": bad checksum");
        return;
    }
    const char type = line[1];
    const int addressBytes = type == '1' ? 2 : type == '2' ? 3 : type == '3' ? 4 : 0;
    if (addressBytes == 0)
        return;
    long address = 0;
    for (int i = 1; i <= addressBytes; ++i)
        address = address * 256 + b[static_cast<std::size_t>(i)];
    note(image, address, static_cast<long>(b.size()) - addressBytes - 2);
}

void intelRecord(TargetImage& image, const std::string& line, int number, long& base)
{
    const std::vector<int> b = bytesOf(line, 1);
    if (b.size() < 5 || static_cast<std::size_t>(b[0]) + 5 != b.size()) {
        image.problems.push_back("line " + std::to_string(number) + ": broken record");
        return;
    }
    int sum = 0;
    for (int v : b)
        sum += v;
    if ((sum & 0xFF) != 0) {
        image.problems.push_back("line " + std::to_string(number) + ": bad checksum");
        return;
    }
    const int type = b[3];
    if (type == 0)
        note(image, base + b[1] * 256 + b[2], b[0]);
    else if (type == 2 && b[0] == 2)
        base = (b[4] * 256L + b[5]) * 16;
    else if (type == 4 && b[0] == 2)
        base = (b[4] * 256L + b[5]) << 16;
}

} // namespace

TargetImage readImage(const std::vector<std::string>& lines)
{
    TargetImage image;
    long base = 0;
    int number = 0;
    for (const std::string& raw : lines) {
        ++number;
        std::string line = raw;
        while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back())))
            line.pop_back();
        if (line.empty())
            continue;
        if (line[0] == 'S' && line.size() > 1) {
            image.format = "Motorola S-records";
            sRecord(image, line, number);
        } else if (line[0] == ':') {
            image.format = "Intel hex";
            intelRecord(image, line, number, base);
        }
    }
    return image;
}

} // namespace standin
