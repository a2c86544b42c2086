#include "odometer/odometer_sampling.h"

#include "common/number_format.h"

#include <cmath>
#include <limits>

long double Step_Distance(std::int64_t dx, std::int64_t dy, std::int64_t physical_sum, std::int64_t pixel_sum)
{
    if (pixel_sum == 0)
        return 0;
    const long double x = static_cast<long double>(dx);
    const long double y = static_cast<long double>(dy);
    return std::sqrt(x * x + y * y) * static_cast<long double>(physical_sum) / static_cast<long double>(pixel_sum);
}

double Add_Step(double total, long double step, bool metric)
{
    constexpr long double centimetres_per_kilometre = 100000;
    constexpr long double inches_per_mile = 63360;
    const double sum = static_cast<double>(static_cast<long double>(total)
                                           + step / (metric ? centimetres_per_kilometre : inches_per_mile));
    return sum >= 0 && std::isfinite(sum) ? sum : 0;
}

bool Count_Press(bool down, bool& latch, std::int64_t& count)
{
    if (!down) {
        latch = false;
        return false;
    }
    if (latch)
        return false;
    latch = true;
    if (count < std::numeric_limits<std::int64_t>::max())
        ++count;
    return true;
}

std::int64_t Wrap_Press_Count(std::int64_t count)
{
    return count >= Press_Count_Limit ? 0 : count;
}

QString Format_Press_Count(std::int64_t count)
{
    // The magnitude as unsigned, so that the most negative count has one too.
    std::uint64_t magnitude = count < 0 ? 0 - static_cast<std::uint64_t>(count) : static_cast<std::uint64_t>(count);
    char reversed[32];
    int length = 0;
    int digits = 0;
    do {
        if (digits > 0 && digits % 3 == 0)
            reversed[length++] = ',';
        reversed[length++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
        ++digits;
    } while (magnitude != 0);
    if (count < 0)
        reversed[length++] = '-';
    QString text(length, Qt::Uninitialized);
    for (int i = 0; i < length; ++i)
        text[i] = QLatin1Char(reversed[length - 1 - i]);
    return text;
}

QString Format_Distance(double distance)
{
    return Format_Fixed(distance, 8, true, 12);
}
