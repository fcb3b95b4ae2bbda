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
        <location filename="../../mainwindow/mainwindow.cpp" line="124"/>
        <source>Code</source>
        <translation>编号</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.cpp" line="125"/>
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
        <location filename="../../mainwindow/mainwindow.cpp" line="129"/>
        <source>TotalTime</source>
        <translation>总时间</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.cpp" line="167"/>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.cpp" line="168"/>
        <source>New</source>
        <translation>新建</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.cpp" line="169"/>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.cpp" line="170"/>
        <source>Save As</source>
        <translation>另存为</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.cpp" line="171"/>
        <location filename="../../mainwindow/mainwindowbulk.cpp" line="429"/>
        <source>Clear</source>
        <translation>清除</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.cpp" line="172"/>
        <location filename="../../mainwindow/mainwindowbulk.cpp" line="427"/>
        <source>Edit</source>
        <translation>编辑</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.cpp" line="173"/>
        <source>Add</source>
        <translation>添加</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.cpp" line="174"/>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.cpp" line="175"/>
        <source>Hide</source>
        <translation>隐藏</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.cpp" line="202"/>
        <source>TIME: %1</source>
        <translation>时间: %1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.cpp" line="209"/>
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
        <location filename="../../mainwindow/mainwindowcommands.cpp" line="83"/>
        <source>Warning</source>
        <translation>提醒</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindowcommands.cpp" line="210"/>
        <source>Sure to Clear this MENU?</source>
        <translation>清除当前菜单数据？</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindowcommands.cpp" line="210"/>
        <source>Clear menu %1?</source>
        <translation>清除菜单 %1？</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindowunsaved.cpp" line="44"/>
        <source>Discard the unsaved changes?</source>
        <translation>放弃未保存的更改？</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindowunsaved.cpp" line="58"/>
        <source>Sure to Close?</source>
        <translation>关闭编辑工具？</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindowunsaved.cpp" line="59"/>
        <source>Close without saving the changes?</source>
        <translation>不保存更改并关闭？</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindowunsaved.cpp" line="108"/>
        <source>Restore unsaved menus?</source>
        <translation>恢复未保存的菜单？</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindowunsaved.cpp" line="77"/>
        <source>Restore older unsaved menus? The book was saved after them.</source>
        <translation>恢复较早的未保存菜单？菜单书在此之后已保存。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindowunsaved.cpp" line="80"/>
        <source>%1, left %2</source>
        <translation>%1，留于 %2</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindowbulk.cpp" line="113"/>
        <source>Line %1: a quote is not closed</source>
        <translation>第 %1 行：引号未闭合</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindowbulk.cpp" line="115"/>
        <source>Line %1: a menu is 10 or 11 cells</source>
        <translation>第 %1 行：一个菜单须为 10 或 11 个单元格</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindowbulk.cpp" line="117"/>
        <source>Line %1: 11 cells need #NNNN second</source>
        <translation>第 %1 行：11 个单元格时第二格须为 #NNNN</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindowbulk.cpp" line="119"/>
        <source>Line %1: names are letters and spaces</source>
        <translation>第 %1 行：名称仅限字母和空格</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindowbulk.cpp" line="121"/>
        <source>Line %1: names are at most 16 characters</source>
        <translation>第 %1 行：名称最多 16 个字符</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindowbulk.cpp" line="123"/>
        <source>Line %1: power is P00 to P10</source>
        <translation>第 %1 行：火力须为 P00 至 P10</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindowbulk.cpp" line="125"/>
        <source>Line %1: minutes are 0 to 60</source>
        <translation>第 %1 行：分钟须为 0 至 60</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindowbulk.cpp" line="127"/>
        <source>Line %1: seconds are 0 to 99</source>
        <translation>第 %1 行：秒数须为 0 至 99</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindowbulk.cpp" line="129"/>
        <source>Line %1: P10 over 25 min in the menu</source>
        <translation>第 %1 行：P10 档位单个菜谱超过 25 分钟</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindowbulk.cpp" line="131"/>
        <source>Line %1: P10 over 15 min in one stage</source>
        <translation>第 %1 行：P10 档位单个阶段超过 15 分钟</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindowbulk.cpp" line="133"/>
        <source>Line %1: over 60 min in one stage</source>
        <translation>第 %1 行：单个阶段超过 60 分钟</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindowbulk.cpp" line="135"/>
        <source>Line %1: past C-99, the last menu</source>
        <translation>第 %1 行：超出最后一个菜单 C-99</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindowbulk.cpp" line="382"/>
        <source>No menu named %1</source>
        <translation>没有名为 %1 的菜单</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindowbulk.cpp" line="432"/>
        <source>Copy</source>
        <translation>复制</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindowbulk.cpp" line="436"/>
        <source>Paste</source>
        <translation>粘贴</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindowbulk.cpp" line="441"/>
        <source>Duplicate</source>
        <translation>创建副本</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindowbulk.cpp" line="446"/>
        <source>Move up</source>
        <translation>上移</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindowbulk.cpp" line="450"/>
        <source>Move down</source>
        <translation>下移</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindowbulk.cpp" line="455"/>
        <source>Undo</source>
        <translation>撤销</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindowbulk.cpp" line="459"/>
        <source>Redo</source>
        <translation>重做</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindowbulk.cpp" line="464"/>
        <source>Print</source>
        <translation>打印</translation>
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
