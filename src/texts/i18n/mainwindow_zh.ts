<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
<context>
    <name>MainWindow</name>
    <message>
        <location filename="../../mainwindow/mainwindow.cpp" line="81"/>
        <source>SIZE: ---- MENUs</source>
        <translation>菜谱大小: ---- 个菜单</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.cpp" line="122"/>
        <source>Code</source>
        <translation>编号</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.cpp" line="123"/>
        <source>MenuName</source>
        <translation>菜单名称</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.cpp" line="83"/>
        <source>[#1]Stage</source>
        <translation>第 1 阶段</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.cpp" line="83"/>
        <source>[#2]Stage</source>
        <translation>第 2 阶段</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.cpp" line="83"/>
        <source>[#3]Stage</source>
        <translation>第 3 阶段</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.cpp" line="127"/>
        <source>TotalTime</source>
        <translation>总时间</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.cpp" line="165"/>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.cpp" line="166"/>
        <source>New</source>
        <translation>新建</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.cpp" line="167"/>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.cpp" line="168"/>
        <source>Save As</source>
        <translation>另存为</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.cpp" line="169"/>
        <source>Clear</source>
        <translation>清除</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.cpp" line="170"/>
        <source>Edit</source>
        <translation>编辑</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.cpp" line="171"/>
        <source>Add</source>
        <translation>添加</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.cpp" line="172"/>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.cpp" line="173"/>
        <source>Hide</source>
        <translation>隐藏</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.cpp" line="200"/>
        <source>TIME: %1</source>
        <translation>时间: %1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.cpp" line="207"/>
        <source>SIZE: 297 MENUs</source>
        <translation>菜谱大小: 297 个菜单</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindowview.cpp" line="244"/>
        <source>P%1, %2 min %3 s</source>
        <translation>P%1, %2 分 %3 秒</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindowview.cpp" line="78"/>
        <location filename="../../mainwindow/mainwindowview.cpp" line="251"/>
        <source>NO NAME</source>
        <translation>未命名</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindowview.cpp" line="68"/>
        <source>%1 min %2 s</source>
        <translation>%1 分 %2 秒</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindowview.cpp" line="75"/>
        <source>P%1 %2 min %3 s</source>
        <translation>P%1 %2 分 %3 秒</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindowview.cpp" line="77"/>
        <source>%1, %2, %3, %4, %5, total %6</source>
        <translation>%1，%2，%3，%4，%5，总时间 %6</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindowview.cpp" line="298"/>
        <source>Stage[#01]</source>
        <translation>第 1 阶段</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindowview.cpp" line="298"/>
        <source>Stage[#02]</source>
        <translation>第 2 阶段</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindowview.cpp" line="298"/>
        <source>Stage[#03]</source>
        <translation>第 3 阶段</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindowcommands.cpp" line="82"/>
        <source>Warning</source>
        <translation>提醒</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindowcommands.cpp" line="194"/>
        <source>Sure to Clear this MENU?</source>
        <translation>清除当前菜单数据？</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindowcommands.cpp" line="194"/>
        <source>Clear menu %1?</source>
        <translation>清除菜单 %1？</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindowcommands.cpp" line="202"/>
        <source>Sure to Close?</source>
        <translation>关闭编辑工具？</translation>
    </message>
</context>
<context>
    <name>MenuRowList</name>
    <message>
        <location filename="../../mainwindow/menurowlist.cpp" line="77"/>
        <source>Menus</source>
        <translation>菜单列表</translation>
    </message>
    <message>
        <location filename="../../mainwindow/menurowlist.cpp" line="163"/>
        <source>Menu position</source>
        <translation>菜单位置</translation>
    </message>
</context>
</TS>
