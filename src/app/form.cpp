#include "app/form.h"

#include <stdexcept>

namespace app {

namespace {

const std::array<const char*, kServiceCount> kServiceItems = {
    "Alerter    通知所选用户和计算机有关系统管理级警报",
    "Automatic Updates    允许下载并安装 Windows 更新",
    "Clipbook    启用\"剪贴簿查看器\"储存信息并与远程计算机共享",
    "Error Reporting Service    服务和应用程序在非标准环境下运行时允许错误报告",
    "Fast user Ssictching Compatibility   为在多用户下需要协助的应用程序提供管理",
    "Help and Suport    启用在此计算机上运行帮助和支持中心",
    "IPSEC Services    管理 IP 安全策略以及启动 ISAKMP/Oakley (IKE) 和 IP 安全驱动程序",
    "Messerger   传输客户端和服务器之间的 NET SEND 和 Alerter 服务消息",
    "Print Spooler    将文件加载到内存中以便迟后打印",
    "Remote Registry    使远程用户能修改此计算机上的注册表设置",
    "Security Center    监视系统安全设置和配置",
    "Server    支持此计算机通过网络的文件、打印、和命名管道共享。如果服务停止，这些功能将不可用。 ",
    "Shell Hardware Detection    为自动播放硬件事件提供通知",
    "SSDP Discovery Service    启动您家庭网络上的 UPnP 设备的发现",
    "Task Scheduler    使用户能在此计算机上配置和制定自动任务的日程",
    "WebClient    使基于Windows的程序能创建、访问和修改基于 Internet 的文件。如果此服务被终止，将会失去这些功能。",
    "Windows Firewall/Internet Connection Sharing(ICS)    为家庭和小型办公网络提供网络地址转换、寻址、名称解析和/或入侵保护服务",
    "Windows Time    维护在网络上的所有客户端和服务器的时间和日期同步。如果此服务被停止，时间和日期的同步将不可用。如果此服务被禁用，任何明确依赖它的服务都将不能启动",
    "Wireless Zero Configuration    为您的 802.11 适配器提供自动配置",
};

CheckList MakeList(std::vector<std::string> items) {
    CheckList list;
    list.ticked.assign(items.size(), false);
    list.items = std::move(items);
    return list;
}

void SetTick(CheckList& list, int i, bool ticked) {
    if (i < 0 || static_cast<std::size_t>(i) >= list.ticked.size()) throw std::out_of_range("list item");
    list.ticked[i] = ticked;
}

} // namespace

const std::array<const char*, kServiceCount>& MainForm::ServiceItems() { return kServiceItems; }

std::string MainForm::DriveItem(int i) { return std::string(1, static_cast<char>('A' + i)) + ":"; }

MainForm::MainForm() {
    std::vector<std::string> drives;
    for (int i = 0; i < kDriveCount; ++i) drives.push_back(DriveItem(i));
    lstHide_ = MakeList(drives);
    lstNot_ = MakeList(drives);
    lstService_ = MakeList({kServiceItems.begin(), kServiceItems.end()});
    lblInfo_ = kServiceItems[0];
}

void MainForm::SetChk(int i, int value) {
    chk_.at(i) = value;
    Notify(Field::Chk, i);
}

void MainForm::SelectOpt(int i) {
    if (i < 0 || i >= kOptCount) throw std::out_of_range("Opt");
    for (int k = 0; k < kOptCount; ++k) opt_[k] = (k == i);
    Notify(Field::Opt, i);
}

void MainForm::ClearOpt(int i) {
    opt_.at(i) = false;
    Notify(Field::Opt, i);
}

void MainForm::SetCombo2(int index) {
    combo2_ = index;
    Notify(Field::Combo2);
}

void MainForm::SetCombo3(int index) {
    combo3_ = index;
    Notify(Field::Combo3);
}

void MainForm::SetTxtPath(std::string text) {
    txtPath_ = std::move(text);
    Notify(Field::TxtPath);
}

void MainForm::SetHide(int i, bool ticked) {
    SetTick(lstHide_, i, ticked);
    Notify(Field::LstHide, i);
}

void MainForm::SetNot(int i, bool ticked) {
    SetTick(lstNot_, i, ticked);
    Notify(Field::LstNot, i);
}

void MainForm::SetService(int i, bool ticked) {
    SetTick(lstService_, i, ticked);
    Notify(Field::LstService, i);
}

void MainForm::SetStartupTick(int i, bool ticked) {
    SetTick(lstStartup_, i, ticked);
    Notify(Field::LstStartup, i);
}

void MainForm::ClearStartup() {
    lstStartup_.items.clear();
    lstStartup_.ticked.clear();
    Notify(Field::LstStartup);
}

void MainForm::AddStartup(std::string item) {
    lstStartup_.items.push_back(std::move(item));
    lstStartup_.ticked.push_back(false);
    Notify(Field::LstStartup);
}

void MainForm::SetLblInfo(std::string text) {
    lblInfo_ = std::move(text);
    Notify(Field::LblInfo);
}

void MainForm::SetLblWait(std::string text) {
    lblWait_ = std::move(text);
    Notify(Field::LblWait);
}

void MainForm::SetLblCaption(std::string text) {
    lblCaption_ = std::move(text);
    Notify(Field::LblCaption);
}

void MainForm::SetHeader(std::string text) {
    header_ = std::move(text);
    Notify(Field::Header);
}

void MainForm::ShowPage(Page p) {
    visible_ = p;
    Notify(Field::Page);
}

void MainForm::SetEnabled(Button b, bool enabled) {
    enabled_.at(static_cast<std::size_t>(b)) = enabled;
    Notify(Field::ButtonEnabled, static_cast<int>(b));
}

void MainForm::SetShape2Visible(bool visible) {
    shape2Visible_ = visible;
    Notify(Field::Shape2);
}

void MainForm::SetProgress(int twips) {
    shape2Width_ = twips;
    Notify(Field::Shape2);
}

} // namespace app
