// The session texts: the resource module's string, else the built-in one.
#include "SessionStrings.h"

namespace {

struct BuiltInText {
    SessionStringId id;
    const char* text;
};

const BuiltInText kTexts[] = {
    {STR_SERVER_JPEG_FAILED, "抓拍JPEG失败!"},
    {STR_MOTION_ALARM, "视频移动报警"},
    {STR_SENSOR_ALARM, "探头[%d]报警"},
    {STR_VIDEO_LOSS, "视频丢失"},
    {STR_CONNECT_ERROR, "连接服务器错误:%d!"},
    {STR_CONNECTED, "连接成功"},
    {STR_CONNECT_FAILED, "连接失败"},
    {STR_SERVER_CLOSED, "服务器断开连接"},
    {STR_BIND_FAILED, "绑定端口失败"},
    {STR_NO_MEMORY, "分配内存失败"},
    {STR_DDNS_UNREACHABLE, "连接域名服务器失败"},
    {STR_WRONG_LOGIN, "用户名或密码错误"},
    {STR_USERS_FULL, "服务器用户满员，请稍后再试"},
    {STR_NO_CHANNEL, "服务器没有指定的通道"},
    {STR_DDNS_UNKNOWN, "域名服务器上没有该服务器存在"},
    {STR_DDNS_CONNECT_FAILED, "连接DDNS服务器失败"},
    {STR_EXTERNAL_ALARM, "外部探头[%d]报警"},
    {STR_TARGETS_FULL, "通道"},
    {STR_NO_RIGHT, "没有权限"},
    {STR_NO_MOTION, "无人报警"},
    {STR_START_CONNECT_FAILED, "启动连接失败"},
    {STR_COLUMN_SERVER, "服务器名称"},
    {STR_COLUMN_ADDRESS, "地址"},
    {STR_COLUMN_PORT, "端口"},
    {STR_COLUMN_STATE, "状态"},
    {STR_TARGET_CONNECTED, "已连接"},
    {STR_TARGET_DISCONNECTED, "未连接"},
    {STR_SELECT_TARGET, "请选择你要删除的服务器"},
    {STR_CAPTURE_FAILED, "启动音频采集失败"},
    {STR_ADD_TARGET_FAILED, "添加服务器失败"},
};

}  // namespace

CString SessionString(SessionStringId id)
{
    CString text;
    if (text.LoadString(id) && !text.IsEmpty())
        return text;
    for (const BuiltInText& entry : kTexts) {
        if (entry.id == id)
            return entry.text;
    }
    return text;
}
