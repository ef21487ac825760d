// The instrument's configuration as the host owns it: the measurement
// object, the current-folder buffer, the two recording objects, the
// communication and auxiliary blocks, and the record of pointers to them that
// the system dialog is handed. Everything lives at a fixed address for the
// life of the state, because the dialog keeps pointers into it.
//
// Owned by the UI thread: only it reads or changes the state.
#pragma once

#include "core/ConfigRecords.h"
#include "host/ConfigSysMeas.h"
#include "host/ConfigSysRec.h"

#include <memory>

class HostState {
public:
    HostState();
    ~HostState();
    HostState(const HostState&) = delete;
    HostState& operator=(const HostState&) = delete;

    T_CONFIG_SYSTEM* Record() { return &m_record; }

    CONFIG_SYSMEAS& SysMeas() { return m_objects->sysMeas; }
    const CONFIG_SYSMEAS& SysMeas() const { return m_objects->sysMeas; }
    CONFIG_SYSREC& SysRec1() { return m_objects->sysRec1; }
    const CONFIG_SYSREC& SysRec1() const { return m_objects->sysRec1; }
    CONFIG_SYSREC& SysRec2() { return m_objects->sysRec2; }
    const CONFIG_SYSREC& SysRec2() const { return m_objects->sysRec2; }
    T_CONFIG_COMM& Comm() { return m_objects->comm; }
    const T_CONFIG_COMM& Comm() const { return m_objects->comm; }
    T_CONFIG_MISC& Misc() { return m_objects->misc; }
    const T_CONFIG_MISC& Misc() const { return m_objects->misc; }
    char* CurrentFolder() { return m_objects->currentFolder; }
    const char* CurrentFolder() const { return m_objects->currentFolder; }

    // Takes every value of `other` through the objects' setters, so the
    // change hook hears of it; addresses stay as they are.
    void CopyFrom(const HostState& other);

    // The groups of the initialisation request.
    void ResetSettings();       // measurement, recording, auxiliary and folder (not communication)
    void ResetCommunication();
    void ClearAnnotations();    // the page annotation texts of both recording objects

    static T_CONFIG_COMM DefaultComm();
    static T_CONFIG_MISC DefaultMisc();
    static constexpr const char* kDefaultFolder = "D:\\data\\";

private:
    struct Objects {
        CONFIG_SYSMEAS sysMeas;
        char currentFolder[CURRENT_FOLDER_SIZE] = {};
        CONFIG_SYSREC sysRec1;
        CONFIG_SYSREC sysRec2;
        T_CONFIG_COMM comm{};
        T_CONFIG_MISC misc{};
    };

    std::unique_ptr<Objects> m_objects;
    T_CONFIG_SYSTEM m_record{};
};
