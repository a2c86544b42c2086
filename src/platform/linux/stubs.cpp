// Services whose Linux side is not written yet answer as a machine without
// the device would: no input, no sound, no registry keys, no volume data.
#include "platform/input.h"
#include "platform/registry.h"
#include "platform/sound.h"
#include "platform/volume.h"

namespace platform {
namespace {

class Null_Input_Service final : public Input_Service {
public:
    Pointer_State Query_Pointer() override { return {}; }
    std::int32_t Get_System_Metrics(int) override { return 0; }
};

class Null_Registry_Service final : public Registry_Service {
public:
    long Reg_Open_Key_Ex(HKEY, const std::string&, std::uint32_t, HKEY*) override { return ERROR_FILE_NOT_FOUND; }
    long Reg_Query_Value_Ex(HKEY, const std::string&, std::uint32_t*, std::uint8_t*, std::uint32_t*) override
    {
        return ERROR_INVALID_HANDLE;
    }
    long Reg_Set_Value_Ex(HKEY, const std::string&, std::uint32_t, const std::uint8_t*, std::uint32_t) override
    {
        return ERROR_INVALID_HANDLE;
    }
    long Reg_Delete_Value(HKEY, const std::string&) override { return ERROR_INVALID_HANDLE; }
    long Reg_Close_Key(HKEY) override { return ERROR_INVALID_HANDLE; }
};

class Null_Sound_Service final : public Sound_Service {
public:
    void Beep(int, int) override {}
    void Message_Beep(unsigned) override {}
    void Silence() override {}
};

class Null_Volume_Service final : public Volume_Service {
public:
    bool Get_Volume_Information(const std::string&, std::string*, std::uint32_t*, std::string*) override
    {
        return false;
    }
    bool Get_Disk_Free_Space(const std::string&, std::uint64_t*, std::uint64_t*, std::uint64_t*,
                             std::uint64_t*) override
    {
        return false;
    }
    unsigned Get_Drive_Type(const std::string&) override { return DRIVE_UNKNOWN; }
    bool Probe_Writable(const std::string&, const std::string&) override { return false; }
};

} // namespace

template <>
Input_Service& Default_Service<Input_Service>()
{
    static Null_Input_Service service;
    return service;
}

template <>
Registry_Service& Default_Service<Registry_Service>()
{
    static Null_Registry_Service service;
    return service;
}

template <>
Sound_Service& Default_Service<Sound_Service>()
{
    static Null_Sound_Service service;
    return service;
}

template <>
Volume_Service& Default_Service<Volume_Service>()
{
    static Null_Volume_Service service;
    return service;
}

} // namespace platform
