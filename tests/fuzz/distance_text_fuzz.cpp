// The odometer's distance text as a settings file may hold it. The input,
// as UTF-8, is the text; its first eight bytes are also a double. Checked:
// any text reads as a finite distance or as the rejection mark, and a
// distance written the way the program saves it reads back to a value that
// is written the same way again, so no save and load moves the odometer.
#include "fuzz/fuzz_support.h"

#include "common/number_format.h"
#include "odometer/odometer_exchange.h"

#include <QString>

#include <cmath>
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const Settings_File_Format format;
    const double read = Parse_Distance_Text(QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    fuzz::Require(read == Rejected_Distance || std::isfinite(read), "a distance read is a number");

    double distance = 0;
    if (size < sizeof distance)
        return 0;
    std::memcpy(&distance, data, sizeof distance);
    if (!std::isfinite(distance))
        return 0;
    // As the odometer's figure is saved.
    const auto save = [](double value) { return Format_Fixed(value, 10, true, 12); };
    const QString saved = save(distance);
    const double loaded = Parse_Distance_Text(saved);
    fuzz::Require(loaded != Rejected_Distance || distance == Rejected_Distance, "a saved distance is read");
    fuzz::Require(save(loaded) == saved, "a loaded distance saves as it was loaded");
    return 0;
}
