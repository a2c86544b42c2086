#pragma once
// Points ALSA's default playback device at a WAV file for the life of the
// object (a test-only configuration through ALSA_CONFIG_PATH), and reads the
// recording back.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

struct Recording {
    unsigned rate = 0;
    unsigned channels = 0;
    std::vector<std::int16_t> samples; // the first channel

    bool Empty() const { return samples.empty() || rate == 0; }
    double Seconds() const { return rate ? static_cast<double>(samples.size()) / rate : 0; }
    int Zero_Crossings() const
    {
        int crossings = 0;
        int previous = 0;
        for (const std::int16_t sample : samples) {
            const int sign = (sample > 0) - (sample < 0);
            if (sign != 0 && previous != 0 && sign != previous)
                ++crossings;
            if (sign != 0)
                previous = sign;
        }
        return crossings;
    }
    double Frequency() const { return Seconds() > 0 ? Zero_Crossings() / 2.0 / Seconds() : 0; }
    // The stretch between two times, in seconds from the start.
    Recording Part(double from, double to) const
    {
        Recording part{rate, channels, {}};
        const auto at = [this](double seconds) {
            return std::min(samples.size(), static_cast<std::size_t>(seconds * rate));
        };
        part.samples.assign(samples.begin() + static_cast<std::ptrdiff_t>(at(from)),
                            samples.begin() + static_cast<std::ptrdiff_t>(at(to)));
        return part;
    }
    std::size_t Silent_Samples() const
    {
        std::size_t silent = 0;
        for (const std::int16_t sample : samples)
            silent += sample == 0;
        return silent;
    }
};

class Alsa_Recorder {
public:
    enum class Device { Wav_File, Missing_Card };

    explicit Alsa_Recorder(Device device = Device::Wav_File)
        : dir_(QDir::tempPath() + QStringLiteral("/vistrel-alsa-XXXXXX")),
          previous_(qgetenv("ALSA_CONFIG_PATH")),
          had_previous_(qEnvironmentVariableIsSet("ALSA_CONFIG_PATH"))
    {
        wav_path_ = dir_.filePath(QStringLiteral("recording.wav"));
        const QString config_path = dir_.filePath(QStringLiteral("asound.conf"));
        QByteArray config;
        if (device == Device::Wav_File)
            config = "pcm.!default {\n  type file\n  slave.pcm \"recorder_sink\"\n  file \"" + wav_path_.toUtf8()
                     + "\"\n  format \"wav\"\n}\npcm.recorder_sink { type null }\n";
        else
            config = "pcm.!default { type hw card 57 device 0 }\n";
        QFile file(config_path);
        if (file.open(QIODevice::WriteOnly))
            file.write(config);
        file.close();
        qputenv("ALSA_CONFIG_PATH", config_path.toUtf8());
    }
    ~Alsa_Recorder()
    {
        if (had_previous_)
            qputenv("ALSA_CONFIG_PATH", previous_);
        else
            qunsetenv("ALSA_CONFIG_PATH");
    }
    Alsa_Recorder(const Alsa_Recorder&) = delete;
    Alsa_Recorder& operator=(const Alsa_Recorder&) = delete;

    // What has been recorded (complete once the device is closed).
    Recording Read() const
    {
        Recording recording;
        QFile file(wav_path_);
        if (!file.open(QIODevice::ReadOnly))
            return recording;
        const QByteArray bytes = file.readAll();
        if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
            return recording;
        qsizetype at = 12;
        unsigned bits = 0;
        while (at + 8 <= bytes.size()) {
            const QByteArray id = bytes.mid(at, 4);
            const std::uint32_t size = Little_Endian(bytes, at + 4, 4);
            const qsizetype body = at + 8;
            if (id == "fmt " && body + 16 <= bytes.size()) {
                recording.channels = Little_Endian(bytes, body + 2, 2);
                recording.rate = Little_Endian(bytes, body + 4, 4);
                bits = Little_Endian(bytes, body + 14, 2);
            } else if (id == "data") {
                // The size is only filled in when the file is closed.
                const qsizetype end = size ? std::min<qsizetype>(body + size, bytes.size()) : bytes.size();
                if (bits != 16 || recording.channels == 0)
                    return recording;
                const qsizetype frame_bytes = 2 * recording.channels;
                for (qsizetype frame = body; frame + frame_bytes <= end; frame += frame_bytes) {
                    std::int16_t sample = 0;
                    std::memcpy(&sample, bytes.constData() + frame, 2);
                    recording.samples.push_back(sample);
                }
                return recording;
            }
            at = body + size + (size & 1);
        }
        return recording;
    }

private:
    static std::uint32_t Little_Endian(const QByteArray& bytes, qsizetype at, int count)
    {
        std::uint32_t value = 0;
        for (int i = count - 1; i >= 0; --i)
            value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
        return value;
    }

    // ALSA takes a space in the path for the end of a file name, and the
    // default temporary folder is named after the application's title.
    QTemporaryDir dir_;
    QString wav_path_;
    QByteArray previous_;
    bool had_previous_;
};
