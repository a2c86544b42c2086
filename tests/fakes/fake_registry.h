#pragma once
#include "platform/registry.h"

#include <cstring>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

// An in-memory registry: keys the test creates, values as raw bytes, handles
// that must be closed, and switches that make chosen opens fail. Every call
// is logged ("open PerfStats\StartStat", "read KERNEL\CPUUsage", "close ...").
class Fake_Registry final : public platform::Registry_Service {
public:
    using Key_Name = std::pair<platform::HKEY, std::string>;
    struct Value {
        std::uint32_t type = REG_BINARY;
        std::vector<std::uint8_t> bytes;
    };

    std::map<Key_Name, std::map<std::string, Value>> keys;
    std::set<std::string> failing_opens; // sub-key names whose open answers ERROR_ACCESS_DENIED
    std::set<Key_Name> refused_keys;     // the same for one root's key only
    std::vector<std::string> log;

    void Create_Key(platform::HKEY root, const std::string& sub_key) { keys[{root, sub_key}]; }

    void Set_DWORD(platform::HKEY root, const std::string& sub_key, const std::string& name, std::uint32_t value)
    {
        Value& stored = keys[{root, sub_key}][name];
        stored.type = REG_DWORD;
        stored.bytes.resize(4);
        std::memcpy(stored.bytes.data(), &value, 4);
    }

    std::size_t Open_Handles() const { return open_.size(); }

    long Reg_Open_Key_Ex(platform::HKEY root, const std::string& sub_key, std::uint32_t,
                         platform::HKEY* result) override
    {
        log.push_back("open " + sub_key);
        if (failing_opens.count(sub_key) || refused_keys.count({root, sub_key}))
            return ERROR_ACCESS_DENIED;
        if (!keys.count({root, sub_key}))
            return ERROR_FILE_NOT_FOUND;
        *result = reinterpret_cast<platform::HKEY>(next_handle_++); // a handle of any platform's kind
        open_[*result] = {root, sub_key};
        return ERROR_SUCCESS;
    }

    long Reg_Query_Value_Ex(platform::HKEY key, const std::string& name, std::uint32_t* type, std::uint8_t* data,
                            std::uint32_t* size) override
    {
        log.push_back("read " + name);
        Value* value = Find(key, name);
        if (!value)
            return open_.count(key) ? ERROR_FILE_NOT_FOUND : ERROR_INVALID_HANDLE;
        if (type)
            *type = value->type;
        const auto needed = static_cast<std::uint32_t>(value->bytes.size());
        if (data && size && *size < needed) {
            *size = needed;
            return ERROR_MORE_DATA;
        }
        if (data)
            std::memcpy(data, value->bytes.data(), needed);
        if (size)
            *size = needed;
        return ERROR_SUCCESS;
    }

    long Reg_Set_Value_Ex(platform::HKEY key, const std::string& name, std::uint32_t type, const std::uint8_t* data,
                          std::uint32_t size) override
    {
        log.push_back("write " + name);
        const auto handle = open_.find(key);
        if (handle == open_.end())
            return ERROR_INVALID_HANDLE;
        keys[handle->second][name] = Value{type, std::vector<std::uint8_t>(data, data + size)};
        return ERROR_SUCCESS;
    }

    long Reg_Delete_Value(platform::HKEY key, const std::string& name) override
    {
        log.push_back("delete " + name);
        const auto handle = open_.find(key);
        if (handle == open_.end())
            return ERROR_INVALID_HANDLE;
        return keys[handle->second].erase(name) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
    }

    long Reg_Close_Key(platform::HKEY key) override
    {
        const auto handle = open_.find(key);
        if (handle == open_.end()) {
            log.push_back("close (not open)");
            return ERROR_INVALID_HANDLE;
        }
        log.push_back("close " + handle->second.second);
        open_.erase(handle);
        return ERROR_SUCCESS;
    }

private:
    Value* Find(platform::HKEY key, const std::string& name)
    {
        const auto handle = open_.find(key);
        if (handle == open_.end())
            return nullptr;
        auto& values = keys[handle->second];
        const auto found = values.find(name);
        return found == values.end() ? nullptr : &found->second;
    }

    std::uintptr_t next_handle_ = 0x100;
    std::map<platform::HKEY, Key_Name> open_;
};
