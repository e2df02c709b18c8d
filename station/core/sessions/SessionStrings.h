// The string-table texts of the channel sessions, the alarm-box poller and the voice broadcast.
// Each is loaded from the resources (Warden.rc), so that the English resource library replaces it.
#pragma once

#include <afx.h>

enum SessionStringId {
    STR_SERVER_JPEG_FAILED = 187,   // "抓拍JPEG失败!"
    STR_MOTION_ALARM = 263,         // "视频移动报警"
    STR_SENSOR_ALARM = 264,         // "探头[%d]报警"
    STR_VIDEO_LOSS = 265,           // "视频丢失"
    STR_CONNECT_ERROR = 266,        // "连接服务器错误:%d!"
    STR_CONNECTED = 267,            // "连接成功"
    STR_CONNECT_FAILED = 268,       // "连接失败"
    STR_SERVER_CLOSED = 269,        // "服务器断开连接"
    STR_BIND_FAILED = 270,          // "绑定端口失败"
    STR_NO_MEMORY = 271,            // "分配内存失败"
    STR_DDNS_UNREACHABLE = 272,     // "连接域名服务器失败"
    STR_WRONG_LOGIN = 273,          // "用户名或密码错误"
    STR_USERS_FULL = 274,           // "服务器用户满员，请稍后再试"
    STR_NO_CHANNEL = 275,           // "服务器没有指定的通道"
    STR_DDNS_UNKNOWN = 276,         // "域名服务器上没有该服务器存在"
    STR_DDNS_CONNECT_FAILED = 290,  // "连接DDNS服务器失败"
    STR_EXTERNAL_ALARM = 307,       // "外部探头[%d]报警"
    STR_TARGETS_FULL = 314,         // "通道"
    STR_NO_RIGHT = 319,             // "没有权限"
    STR_NO_MOTION = 320,            // "无人报警"
    STR_START_CONNECT_FAILED = 348, // "启动连接失败"
    STR_COLUMN_SERVER = 364,        // "服务器名称"
    STR_COLUMN_ADDRESS = 365,       // "地址"
    STR_COLUMN_PORT = 366,          // "端口"
    STR_COLUMN_STATE = 367,         // "状态"
    STR_TARGET_CONNECTED = 369,     // "已连接"
    STR_TARGET_DISCONNECTED = 370,  // "未连接"
    STR_SELECT_TARGET = 372,        // "请选择你要删除的服务器"
    STR_CAPTURE_FAILED = 373,       // "启动音频采集失败"
    STR_ADD_TARGET_FAILED = 374,    // "添加服务器失败"
};

CString SessionString(SessionStringId id);
