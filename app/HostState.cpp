#include "HostState.h"

#include <cstring>

namespace {

void CopySysMeas(CONFIG_SYSMEAS& to, const CONFIG_SYSMEAS& from)
{
    to.SetMode(from.GetMode());
    to.SetStartup(from.GetStartup());
    for (int i = 0; i < CONFIG_SYSMEAS::kReservedWords; ++i)
        to.SetReserved(i, from.GetReserved(i));
}

}  // namespace

HostState::HostState() : m_objects(std::make_unique<Objects>())
{
    m_record.pSysMeas = &m_objects->sysMeas;
    m_record.pCurrentFolder = m_objects->currentFolder;
    m_record.pSysRec1 = &m_objects->sysRec1;
    m_record.pSysRec2 = &m_objects->sysRec2;
    m_record.pComm = &m_objects->comm;
    m_record.pMisc = &m_objects->misc;
    m_objects->comm = DefaultComm();
    m_objects->misc = DefaultMisc();
    std::strcpy(m_objects->currentFolder, kDefaultFolder);
}

HostState::~HostState() = default;

T_CONFIG_COMM HostState::DefaultComm()
{
    T_CONFIG_COMM comm{};
    comm.dwPort = COMM_PORT_RS232C;
    comm.dwDelimiter = 3;
    comm.dwTimeout = 10000;
    comm.dwBaudRate = 9600;
    comm.dwDataBits = 8;
    comm.dwStopBits = 0;
    comm.dwParity = 0;
    comm.dwFlowControl = 0;
    return comm;
}

T_CONFIG_MISC HostState::DefaultMisc()
{
    T_CONFIG_MISC misc{};
    misc.bBuzzer = true;
    misc.bClickSound = true;
    misc.dwAutoOffDelay = 10;
    misc.bScreenCopyToPaper = true;
    std::strcpy(misc.szScreenCopyFolder, "D:\\");
    return misc;
}

void HostState::CopyFrom(const HostState& other)
{
    if (&other == this)
        return;
    CopySysMeas(m_objects->sysMeas, other.SysMeas());
    m_objects->sysRec1.SetParams(other.SysRec1().GetParams());
    m_objects->sysRec2.SetParams(other.SysRec2().GetParams());
    m_objects->comm = other.Comm();
    m_objects->misc = other.Misc();
    std::memcpy(m_objects->currentFolder, other.CurrentFolder(), CURRENT_FOLDER_SIZE);
}

void HostState::ResetSettings()
{
    auto defaults = std::make_unique<Objects>();
    CopySysMeas(m_objects->sysMeas, defaults->sysMeas);
    m_objects->sysRec1.SetParams(defaults->sysRec1.GetParams());
    m_objects->sysRec2.SetParams(defaults->sysRec2.GetParams());
    m_objects->misc = DefaultMisc();
    std::memset(m_objects->currentFolder, 0, CURRENT_FOLDER_SIZE);
    std::strcpy(m_objects->currentFolder, kDefaultFolder);
}

void HostState::ResetCommunication() { m_objects->comm = DefaultComm(); }

void HostState::ClearAnnotations()
{
    for (CONFIG_SYSREC* config : {&m_objects->sysRec1, &m_objects->sysRec2})
        for (int line = 0; line < CONFIG_SYSREC::kAnnotationLines; ++line)
            config->SetAnnotationText(line, L"");
}
