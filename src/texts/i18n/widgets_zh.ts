<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
<context>
    <name>EMessageBox</name>
    <message>
        <location filename="../../widgets/emessagebox.cpp" line="86"/>
        <location filename="../../widgets/emessagebox.cpp" line="89"/>
        <source>TextLabel</source>
        <translation>TextLabel</translation>
    </message>
    <message>
        <location filename="../../widgets/emessagebox.cpp" line="94"/>
        <source>Dialog</source>
        <translation>Dialog</translation>
    </message>
    <message>
        <location filename="../../widgets/emessagebox.cpp" line="103"/>
        <source>Quit</source>
        <translation>退出</translation>
    </message>
    <message>
        <location filename="../../widgets/emessagebox.cpp" line="105"/>
        <source>Confirm</source>
        <translation>确认</translation>
    </message>
</context>
<context>
    <name>ESelfDeleteHintBox</name>
    <message>
        <location filename="../../widgets/eselfdeletehintbox.cpp" line="25"/>
        <source>MENU Information invalid!</source>
        <translation>菜谱信息错误！</translation>
    </message>
    <message>
        <location filename="../../widgets/eselfdeletehintbox.cpp" line="27"/>
        <source>File Path Invalid!</source>
        <translation>文件路径错误！</translation>
    </message>
    <message>
        <location filename="../../widgets/eselfdeletehintbox.cpp" line="29"/>
        <source>File Open Failed!</source>
        <translation>文件打开失败！</translation>
    </message>
    <message>
        <location filename="../../widgets/eselfdeletehintbox.cpp" line="31"/>
        <source>File not Created!</source>
        <translation>文件未创建！</translation>
    </message>
    <message>
        <location filename="../../widgets/eselfdeletehintbox.cpp" line="32"/>
        <source>File not Saved!</source>
        <translation>文件未保存！</translation>
    </message>
    <message>
        <location filename="../../widgets/eselfdeletehintbox.cpp" line="33"/>
        <source>File Saved!</source>
        <translation>文件已保存！</translation>
    </message>
    <message>
        <location filename="../../widgets/eselfdeletehintbox.cpp" line="34"/>
        <source>No MENU!</source>
        <translation>菜谱为空！</translation>
    </message>
    <message>
        <location filename="../../widgets/eselfdeletehintbox.cpp" line="36"/>
        <source>No Valid Printer!</source>
        <translation>没有发现可用的打印机！</translation>
    </message>
    <message>
        <location filename="../../widgets/eselfdeletehintbox.cpp" line="37"/>
        <source>MENU Cleared!</source>
        <translation>菜单数据已清除！</translation>
    </message>
    <message>
        <location filename="../../widgets/eselfdeletehintbox.cpp" line="39"/>
        <source>File not Changed!</source>
        <translation>文件未改变！</translation>
    </message>
    <message>
        <location filename="../../widgets/eselfdeletehintbox.cpp" line="40"/>
        <location filename="../../widgets/eselfdeletehintbox.cpp" line="41"/>
        <source>NO HINTS!</source>
        <translation>无提醒！</translation>
    </message>
    <message>
        <location filename="../../widgets/eselfdeletehintbox.cpp" line="43"/>
        <source>P10 Should not Work Over 15min in a Single Stage!</source>
        <translation>P10档位单个工作阶段时长不可超过15分钟！</translation>
    </message>
    <message>
        <location filename="../../widgets/eselfdeletehintbox.cpp" line="45"/>
        <source>P10 Should not Work Over 25min in a MENU!</source>
        <translation>P10档位单个菜谱总体工作时长不可超过25分钟！</translation>
    </message>
    <message>
        <location filename="../../widgets/eselfdeletehintbox.cpp" line="47"/>
        <source>All Power Levels Should not Work Over 60min in a Single Stage!</source>
        <translation>任意档位单个工作阶段时长不可超过60分钟！</translation>
    </message>
    <message>
        <location filename="../../widgets/eselfdeletehintbox.cpp" line="50"/>
        <source>MENU Size is Out of Range!</source>
        <translation>菜谱大小超出范围！</translation>
    </message>
    <message>
        <location filename="../../widgets/eselfdeletehintbox.cpp" line="52"/>
        <source>Working Copy not Saved!</source>
        <translation>工作副本未保存！</translation>
    </message>
    <message>
        <location filename="../../widgets/eselfdeletehintbox.cpp" line="96"/>
        <source>Dialog</source>
        <translation>Dialog</translation>
    </message>
</context>
</TS>
