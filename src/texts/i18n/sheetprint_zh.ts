<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
<context>
    <name>PrintPreviewDialogs</name>
    <message>
        <location filename="../../sheetprint/printpreviewdialogs.cpp" line="19"/>
        <source>Print empty menus too</source>
        <translation>同时打印空菜单</translation>
    </message>
</context>
</TS>
