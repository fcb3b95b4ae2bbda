<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
<context>
    <name>EditDialog</name>
    <message>
        <location filename="../../editdialog/editdialog.cpp" line="101"/>
        <source>Quit</source>
        <translation>退出</translation>
    </message>
    <message>
        <location filename="../../editdialog/editdialog.cpp" line="103"/>
        <source>Confirm</source>
        <translation>确认</translation>
    </message>
    <message>
        <location filename="../../editdialog/editdialog.cpp" line="121"/>
        <location filename="../../editdialog/editdialog.cpp" line="219"/>
        <source>Edit menu %1</source>
        <translation>编辑菜单 %1</translation>
    </message>
    <message>
        <location filename="../../editdialog/editdialog.cpp" line="129"/>
        <source>Stage %1 power</source>
        <translation>第 %1 阶段火力</translation>
    </message>
    <message>
        <location filename="../../editdialog/editdialog.cpp" line="130"/>
        <source>Stage %1 minutes</source>
        <translation>第 %1 阶段分钟</translation>
    </message>
    <message>
        <location filename="../../editdialog/editdialog.cpp" line="131"/>
        <source>Stage %1 seconds</source>
        <translation>第 %1 阶段秒数</translation>
    </message>
    <message>
        <location filename="../../editdialog/editdialog.cpp" line="171"/>
        <source>Names: letters and spaces</source>
        <translation>名称：仅限字母和空格</translation>
    </message>
    <message>
        <location filename="../../editdialog/editdialog.cpp" line="248"/>
        <source>%d min %d s</source>
        <translation>%d 分 %d 秒</translation>
    </message>
    <message>
        <location filename="../../editdialog/editdialog.cpp" line="125"/>
        <location filename="../../editdialog/editdialogform.cpp" line="193"/>
        <source>Name</source>
        <translation>菜单名称</translation>
    </message>
    <message>
        <location filename="../../editdialog/editdialogform.cpp" line="194"/>
        <source>NO NAME</source>
        <translation>未命名</translation>
    </message>
    <message>
        <location filename="../../editdialog/editdialog.cpp" line="127"/>
        <location filename="../../editdialog/editdialogform.cpp" line="195"/>
        <source>Code</source>
        <translation>菜单编号</translation>
    </message>
    <message>
        <location filename="../../editdialog/editdialogform.cpp" line="196"/>
        <source>Stage</source>
        <translation>阶段编号</translation>
    </message>
    <message>
        <location filename="../../editdialog/editdialogform.cpp" line="197"/>
        <source>Power Level</source>
        <translation>阶段火力</translation>
    </message>
    <message>
        <location filename="../../editdialog/editdialogform.cpp" line="198"/>
        <source>Stage Time</source>
        <translation>阶段时长    </translation>
    </message>
    <message>
        <location filename="../../editdialog/editdialogform.cpp" line="201"/>
        <source>min</source>
        <translation>分</translation>
    </message>
    <message>
        <location filename="../../editdialog/editdialogform.cpp" line="202"/>
        <source>sec</source>
        <translation>秒</translation>
    </message>
    <message>
        <location filename="../../editdialog/editdialogform.cpp" line="204"/>
        <source>Total Time：</source>
        <translation>菜单总时间：</translation>
    </message>
</context>
</TS>
