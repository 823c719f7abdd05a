#include "tools/sentence_writer.h"

#include <cmath>
#include <cstdio>
#include <vector>

namespace compass_sim {

namespace {

std::string fixed(double v, int decimals)
{
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    return buf;
}

std::string headingText(double heading)
{
    const std::string text = fixed(heading, 1);
    return text == "360.0" ? "0.0" : text;
}

// "*hh" and CR LF: the XOR of everything between "$" and "*".
std::string withChecksum(const std::string &body)
{
    unsigned char sum = 0;
    for (std::size_t i = 1; i < body.size(); ++i)
        sum ^= static_cast<unsigned char>(body[i]);
    char buf[8];
    std::snprintf(buf, sizeof buf, "*%02X\r\n", sum);
    return body + buf;
}

struct Item {
    const char *tag;
    std::string text;
};

// The values of each field-mask bit, in bit order, with their tags.
std::vector<std::vector<Item>> itemsByBit(const Readings &r)
{
    const double mag = std::sqrt(r.magX * r.magX + r.magY * r.magY + r.magZ * r.magZ);
    const double acc = std::sqrt(r.accX * r.accX + r.accY * r.accY + r.accZ * r.accZ);
    const double gyro = std::sqrt(r.gyroX * r.gyroX + r.gyroY * r.gyroY + r.gyroZ * r.gyroZ);
    return {
        {{"C", headingText(r.heading)}},
        {{"P", fixed(r.pitch, 1)}},
        {{"R", fixed(r.roll, 1)}},
        {{"T", fixed(r.temperature, 1)}},
        {{"D", fixed(r.depth, 2)}},
        {{"M", fixed(mag, 1)}},
        {{"Mx", fixed(r.magX, 1)}, {"My", fixed(r.magY, 1)}, {"Mz", fixed(r.magZ, 1)}},
        {{"A", fixed(acc, 3)}},
        {{"Ax", fixed(r.accX, 3)}, {"Ay", fixed(r.accY, 3)}, {"Az", fixed(r.accZ, 3)}},
        {{"G", fixed(gyro, 2)}},
        {{"Gx", fixed(r.gyroX, 2)}, {"Gy", fixed(r.gyroY, 2)}},
        {{"L", std::to_string(r.lifeCount)}},
        {{"S", std::to_string(r.spiErrors)}},
    };
}

std::string tagged(const std::vector<std::vector<Item>> &items, int fields)
{
    std::string body = "$C" + items[0][0].text;
    for (std::size_t bit = 1; bit < items.size(); ++bit)
        if (fields & (1 << bit))
            for (const Item &item : items[bit])
                body += item.tag + item.text;
    return withChecksum(body);
}

std::string commaValues(const std::vector<std::vector<Item>> &items, int fields)
{
    int highest = -1;
    for (int bit = 0; bit < static_cast<int>(items.size()); ++bit)
        if (fields & (1 << bit))
            highest = bit;
    std::string line;
    for (int bit = 0; bit <= highest; ++bit) {
        if (bit > 0)
            line += ',';
        if (!(fields & (1 << bit)))
            continue;
        for (std::size_t i = 0; i < items[bit].size(); ++i)
            line += (i > 0 ? "," : "") + items[bit][i].text;
    }
    return line;
}

} // namespace

Readings corrected(const Readings &measured, const ModuleSettings &s)
{
    Readings r = measured;
    const double heading = r.heading + s.number("DECLINATION") + s.number("DEVIATION");
    r.heading = std::fmod(std::fmod(heading, 360.0) + 360.0, 360.0);
    r.pitch -= s.pitchTrim;
    r.roll -= s.rollTrim;
    r.temperature += s.number("TEMP_OFFSET");
    r.depth -= s.number("DEPTH_OFFSET");
    r.magX = (r.magX - s.number("MAG_X_OFFSET")) * s.number("MAG_X_SCALE");
    r.magY = (r.magY - s.number("MAG_Y_OFFSET")) * s.number("MAG_Y_SCALE");
    r.magZ = (r.magZ - s.number("MAG_Z_OFFSET")) * s.number("MAG_Z_SCALE");
    r.gyroX -= s.number("GYR_X_OFFSET");
    r.gyroY -= s.number("GYR_Y_OFFSET");
    r.gyroZ -= s.number("GYR_Z_OFFSET");
    return r;
}

std::string formatSentence(const Readings &reported, int format, int fields)
{
    const auto items = itemsByBit(reported);
    switch (format) {
    case 1:
        return tagged(items, fields);
    case 2:
    case 8:
        if ((fields & 8191) == 0)
            return {};
        return (format == 2 ? "$OHPR," : "") + commaValues(items, fields) + "\r\n";
    case 4:
        return withChecksum("$HCHDT," + items[0][0].text + ",T");
    default:
        return {};
    }
}

} // namespace compass_sim
