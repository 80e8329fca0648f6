<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>About</name>
    <message>
        <source>About</source>
        <translation>About</translation>
    </message>
    <message>
        <source>&lt;!DOCTYPE HTML PUBLIC &quot;-//W3C//DTD HTML 4.0//EN&quot; &quot;http://www.w3.org/TR/REC-html40/strict.dtd&quot;&gt;
&lt;html&gt;&lt;head&gt;&lt;meta name=&quot;qrichtext&quot; content=&quot;1&quot; /&gt;&lt;meta charset=&quot;utf-8&quot; /&gt;&lt;title&gt;关于Qelun工尺谱&lt;/title&gt;&lt;/head&gt;
&lt;body style=&quot;font-family:&apos;Microsoft YaHei UI&apos;; font-size:10pt;&quot;&gt;
&lt;h2&gt;关于Qelun工尺谱&lt;/h2&gt;
&lt;p&gt;Qelun工尺谱是一款编辑昆曲工尺谱的软件。唱词与曲谱左右并排、逐字对应：每个唱字在右侧占一行曲谱。&lt;/p&gt;
&lt;ul&gt;
&lt;li&gt;编辑时高亮显示对应内容：光标所在的唱字与它的曲谱行同时标出。&lt;/li&gt;
&lt;li&gt;界面字体与导出曲谱的字体均可自行选择。&lt;/li&gt;
&lt;li&gt;曲谱保存为 .gcp 文件，便于交流分享。&lt;/li&gt;
&lt;li&gt;内置首字母曲谱输入法，按拼音首字母输入工尺、板眼与腔格。&lt;/li&gt;
&lt;li&gt;竖排排版，可导出为 JPG、PNG、PDF 和 SVG。&lt;/li&gt;
&lt;/ul&gt;
&lt;p&gt;&lt;b&gt;当前软件版本：{{version}}&lt;/b&gt;&lt;/p&gt;
&lt;p&gt;官方网站：{{site}}&lt;br /&gt;
电子邮箱：{{email}}&lt;br /&gt;
交流群：{{group}}&lt;/p&gt;
&lt;/body&gt;&lt;/html&gt;
</source>
        <translation>&lt;!DOCTYPE HTML PUBLIC &quot;-//W3C//DTD HTML 4.0//EN&quot; &quot;http://www.w3.org/TR/REC-html40/strict.dtd&quot;&gt;
&lt;html&gt;&lt;head&gt;&lt;meta name=&quot;qrichtext&quot; content=&quot;1&quot; /&gt;&lt;meta charset=&quot;utf-8&quot; /&gt;&lt;title&gt;About Qelun&lt;/title&gt;&lt;/head&gt;
&lt;body style=&quot;font-family:&apos;Microsoft YaHei UI&apos;; font-size:10pt;&quot;&gt;
&lt;h2&gt;About the Qelun Gongche Score Editor&lt;/h2&gt;
&lt;p&gt;Qelun is an editor of Kunqu-opera scores in gongche notation. The lyrics and the notation stand side by side, character by character: every sung character owns one line of notation on the right.&lt;/p&gt;
&lt;ul&gt;
&lt;li&gt;What belongs together is marked while you type: the sung character at the cursor and its line of notation.&lt;/li&gt;
&lt;li&gt;The fonts of the editors and of the exported score are yours to choose.&lt;/li&gt;
&lt;li&gt;Scores are saved as .gcp files, easy to share.&lt;/li&gt;
&lt;li&gt;A built-in input method types notes, beat marks and ornaments by the first letters of their pinyin.&lt;/li&gt;
&lt;li&gt;Vertical typesetting, exported as JPG, PNG, PDF and SVG.&lt;/li&gt;
&lt;/ul&gt;
&lt;p&gt;&lt;b&gt;Version: {{version}}&lt;/b&gt;&lt;/p&gt;
&lt;p&gt;Web site: {{site}}&lt;br /&gt;
E-mail: {{email}}&lt;br /&gt;
User group: {{group}}&lt;/p&gt;
&lt;/body&gt;&lt;/html&gt;
</translation>
    </message>
</context>
<context>
    <name>AccessibleNames</name>
    <message>
        <source>%1 字号</source>
        <translation>%1 size</translation>
    </message>
</context>
<context>
    <name>AtomicFile</name>
    <message>
        <source>目标不是普通文件（设备、管道或套接字），不能覆盖</source>
        <translation>The target is not a regular file (a device, pipe or socket) and cannot be overwritten</translation>
    </message>
    <message>
        <source>磁盘空间不足</source>
        <translation>The disk is full</translation>
    </message>
    <message>
        <source>写入失败：%1</source>
        <translation>Writing failed: %1</translation>
    </message>
    <message>
        <source>没有写入权限</source>
        <translation>No permission to write</translation>
    </message>
    <message>
        <source>写入未完成</source>
        <translation>The write was not completed</translation>
    </message>
    <message>
        <source>目标是文件夹</source>
        <translation>The target is a folder</translation>
    </message>
    <message>
        <source>无法在文件夹中创建文件：%1</source>
        <translation>Cannot create a file in the folder: %1</translation>
    </message>
    <message>
        <source>文件未打开</source>
        <translation>The file is not open</translation>
    </message>
    <message>
        <source>写入磁盘失败：%1</source>
        <translation>Writing to the disk failed: %1</translation>
    </message>
    <message>
        <source>无法替换目标文件：%1</source>
        <translation>Cannot replace the target file: %1</translation>
    </message>
</context>
<context>
    <name>AudioPlayer</name>
    <message>
        <source>没有可用的音频输出设备。</source>
        <translation>No audio output device is available.</translation>
    </message>
    <message>
        <source>音频输出设备“%1”不支持 44.1 kHz 16 位立体声。</source>
        <translation>The audio output device “%1” does not support 44.1 kHz 16-bit stereo.</translation>
    </message>
    <message>
        <source>没有可演奏的音符。</source>
        <translation>There are no notes to play.</translation>
    </message>
    <message>
        <source>无法打开音频输出设备。</source>
        <translation>The audio output device cannot be opened.</translation>
    </message>
    <message>
        <source>音频输出出错，播放已停止。</source>
        <translation>The audio output failed; playback has stopped.</translation>
    </message>
    <message>
        <source>此版本编译时没有 Qt Multimedia，不能播放。</source>
        <translation>This build has no Qt Multimedia and cannot play.</translation>
    </message>
</context>
<context>
    <name>BatchExport</name>
    <message>
        <source>错误：无法读取设置文件（不存在、不是普通文件或没有读取权限）：%1</source>
        <translation>Error: cannot read the settings file (missing, not a regular file or not readable): %1</translation>
    </message>
    <message>
        <source>错误：设置文件不是 INI 格式：%1</source>
        <translation>Error: the settings file is not in INI format: %1</translation>
    </message>
    <message>
        <source>错误：无法读取设置文件：%1</source>
        <translation>Error: cannot read the settings file: %1</translation>
    </message>
    <message>
        <source>页面宽度</source>
        <translation>Page width</translation>
    </message>
    <message>
        <source>页面高度</source>
        <translation>Page height</translation>
    </message>
    <message>
        <source>%1 %2 无效，已按 %3 pt 排版</source>
        <translation>%1 %2 is not valid; laid out with %3 pt</translation>
    </message>
    <message>
        <source>导出到 TARGET（PDF 文件、图片文件或文件夹），不打开窗口。</source>
        <translation>Export to TARGET (a PDF file, an image file or a folder) without opening the window.</translation>
    </message>
    <message>
        <source>图片分辨率：96、160、300 或 600。</source>
        <translation>Image resolution: 96, 160, 300 or 600.</translation>
    </message>
    <message>
        <source>使用此 INI 文件中的导出设置（只读取，不写入）。</source>
        <translation>Use the export settings of this INI file (read only, never written).</translation>
    </message>
    <message>
        <source>Qelun工尺谱：导出曲谱</source>
        <translation>Qelun gongche score editor: export a score</translation>
    </message>
    <message>
        <source>要导出的 .gcp 曲谱文件。</source>
        <translation>The .gcp score file to export.</translation>
    </message>
    <message>
        <source>错误：</source>
        <translation>Error: </translation>
    </message>
    <message>
        <source>错误：需要一个导出目标和一个曲谱文件。</source>
        <translation>Error: an export target and one score file are needed.</translation>
    </message>
    <message>
        <source>错误：--dpi 只能是 96、160、300 或 600。</source>
        <translation>Error: --dpi must be 96, 160, 300 or 600.</translation>
    </message>
    <message>
        <source>错误：无法读取文件 </source>
        <translation>Error: cannot read the file </translation>
    </message>
    <message>
        <source>错误：不是 .gcp 曲谱文件：</source>
        <translation>Error: not a .gcp score file: </translation>
    </message>
    <message>
        <source>错误：文件已损坏，无法读取：</source>
        <translation>Error: the file is damaged and cannot be read: </translation>
    </message>
    <message>
        <source>错误：导出目标不是普通文件或文件夹，不会写入：</source>
        <translation>Error: the export target is neither a regular file nor a folder and is not written: </translation>
    </message>
    <message>
        <source>错误：曲谱为空，没有可导出的内容：</source>
        <translation>Error: the score is empty, there is nothing to export: </translation>
    </message>
    <message>
        <source>警告：</source>
        <translation>Warning: </translation>
    </message>
    <message>
        <source>这份曲谱将排出 %1 页以上，需要很长时间；按 Ctrl+C 可以停止。</source>
        <translation>This score will take more than %1 pages, which takes a long time; press Ctrl+C to stop.</translation>
    </message>
    <message>
        <source>正在导出%1文件···</source>
        <translation>Exporting the %1 file…</translation>
    </message>
    <message>
        <source>已中断导出，没有留下写了一半的文件。</source>
        <translation>The export was stopped; no half-written file is left.</translation>
    </message>
    <message>
        <source>导出失败</source>
        <translation>Export failed</translation>
    </message>
    <message>
        <source>原因：</source>
        <translation>Reason: </translation>
    </message>
    <message>
        <source>导出成功！</source>
        <translation>Exported successfully!</translation>
    </message>
    <message>
        <source>用法：qelun --export TARGET [--format pdf|png|jpg|svg|mid|wav|musicxml|jianpu|txt] [--dpi 96|160|300|600] [--settings FILE] SCORE.gcp</source>
        <translation>Usage: qelun --export TARGET [--format pdf|png|jpg|svg|mid|wav|musicxml|jianpu|txt] [--dpi 96|160|300|600] [--settings FILE] SCORE.gcp</translation>
    </message>
    <message>
        <source>导出类型：pdf、png、jpg、svg、mid、wav、musicxml、jianpu 或 txt。</source>
        <translation>Export type: pdf, png, jpg, svg, mid, wav, musicxml, jianpu or txt.</translation>
    </message>
    <message>
        <source>错误：无法确定导出类型，请用 --format 指定 pdf、png、jpg、svg、mid、wav、musicxml、jianpu 或 txt。</source>
        <translation>Error: cannot tell the export type; name pdf, png, jpg, svg, mid, wav, musicxml, jianpu or txt with --format.</translation>
    </message>
</context>
<context>
    <name>Builder</name>
    <message>
        <source>叠腔前没有音</source>
        <translation>No note before the repeat mark</translation>
    </message>
    <message>
        <source>未知符号</source>
        <translation>Unknown symbol</translation>
    </message>
    <message>
        <source>板眼前没有音</source>
        <translation>No note before the beat mark</translation>
    </message>
    <message>
        <source>音高超出 MIDI 范围</source>
        <translation>Pitch outside the MIDI range</translation>
    </message>
</context>
<context>
    <name>ColorBox</name>
    <message>
        <source>选择颜色</source>
        <translation>Choose a colour</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>错误的颜色值!</source>
        <translation>Not a valid colour!</translation>
    </message>
    <message>
        <source>%1 选色</source>
        <translation>%1 colour picker</translation>
    </message>
    <message>
        <source>选择%1</source>
        <translation>Choose %1</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>显示此帮助并退出。</source>
        <translation>Show this help and exit.</translation>
    </message>
    <message>
        <source>显示版本并退出。</source>
        <translation>Show the version and exit.</translation>
    </message>
    <message>
        <source>Qelun工尺谱：编辑昆曲工尺谱。
不带 --export 时打开窗口，并打开给出的各个 .gcp 曲谱文件；
带 --export 时不打开窗口，把曲谱导出为 PDF、图片或 SVG。</source>
        <translation>Qelun gongche score editor: edits Kunqu-opera scores in gongche notation.
Without --export it opens the window with each .gcp score file given;
with --export it opens no window and exports the score as PDF, images or SVG.</translation>
    </message>
    <message>
        <source>要打开的 .gcp 曲谱文件，可给出多个；与 --export 一起时是要导出的曲谱。</source>
        <translation>The .gcp score files to open, any number; with --export, the score to export.</translation>
    </message>
    <message>
        <source>错误：</source>
        <translation>Error: </translation>
    </message>
</context>
<context>
    <name>DocumentWatcher</name>
    <message>
        <source>&quot;%1&quot;已被其他程序修改，这里还有未保存的更改。
重新载入将丢弃这些更改。是否重新载入？</source>
        <translation>&quot;%1&quot; was changed by another program, and there are unsaved changes here.
Reloading discards them. Reload the file?</translation>
    </message>
    <message>
        <source>&quot;%1&quot;已被其他程序修改。是否重新载入？</source>
        <translation>&quot;%1&quot; was changed by another program. Reload it?</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>&quot;%1&quot;在打开之后已被其他程序修改。保存将覆盖这些修改，是否仍然保存？</source>
        <translation>&quot;%1&quot; was changed by another program since it was opened. Saving overwrites those changes. Save anyway?</translation>
    </message>
</context>
<context>
    <name>ExportConfig</name>
    <message>
        <source>自定义</source>
        <translation>Custom</translation>
    </message>
    <message>
        <source>纵向</source>
        <translation>Portrait</translation>
    </message>
    <message>
        <source>横向</source>
        <translation>Landscape</translation>
    </message>
    <message>
        <source>换行</source>
        <translation>Line break</translation>
    </message>
    <message>
        <source>不换行</source>
        <translation>No line break</translation>
    </message>
    <message>
        <source>顶部</source>
        <translation>Top</translation>
    </message>
    <message>
        <source>居中</source>
        <translation>Centre</translation>
    </message>
    <message>
        <source>底部</source>
        <translation>Bottom</translation>
    </message>
</context>
<context>
    <name>ExportTarget</name>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>没有指定导出位置!</source>
        <translation>No export location given!</translation>
    </message>
    <message>
        <source>导出目标是一个文件夹，不是文件!</source>
        <translation>The export target is a folder, not a file!</translation>
    </message>
    <message>
        <source>导出目标不是普通文件，不会写入!</source>
        <translation>The export target is not a regular file and is not written!</translation>
    </message>
    <message>
        <source>文件无写入权限或文件已被占用!</source>
        <translation>The file cannot be written or is in use!</translation>
    </message>
    <message>
        <source>无法在此文件夹中写入文件!</source>
        <translation>Files cannot be written in this folder!</translation>
    </message>
    <message>
        <source>导出位置不是文件夹!</source>
        <translation>The export location is not a folder!</translation>
    </message>
</context>
<context>
    <name>FontBox</name>
    <message>
        <source>%1 字号</source>
        <translation>%1 size</translation>
    </message>
</context>
<context>
    <name>Help</name>
    <message>
        <source>Help</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>&lt;!DOCTYPE HTML PUBLIC &quot;-//W3C//DTD HTML 4.0//EN&quot; &quot;http://www.w3.org/TR/REC-html40/strict.dtd&quot;&gt;
&lt;html&gt;&lt;head&gt;&lt;meta name=&quot;qrichtext&quot; content=&quot;1&quot; /&gt;&lt;meta charset=&quot;utf-8&quot; /&gt;&lt;title&gt;曲谱输入法使用教程&lt;/title&gt;&lt;/head&gt;
&lt;body style=&quot;font-family:&apos;Microsoft YaHei UI&apos;; font-size:9pt;&quot;&gt;
&lt;h2 align=&quot;center&quot;&gt;曲谱输入法使用教程&lt;/h2&gt;

&lt;h3&gt;简介&lt;/h3&gt;
&lt;p&gt;光标位于右侧的曲谱编辑框时，程序自动切换到内置的曲谱输入法（此时系统输入法不起作用）。输入法按曲谱符号名称的拼音首字母查找符号：输入字母后，候选框列出对应的符号，按空格、Tab、回车或候选前的数字选定。&lt;/p&gt;
&lt;p&gt;除工尺字外，输入法还可以查找小号符号、带气口的符号、带气口的小号符号、板眼和腔格。&lt;/p&gt;

&lt;h3&gt;输入法拼音字符对应表&lt;/h3&gt;
&lt;table border=&quot;1&quot; cellspacing=&quot;0&quot; cellpadding=&quot;4&quot; style=&quot;border-color:#808080; border-style:solid;&quot;&gt;
&lt;thead&gt;&lt;tr&gt;&lt;th style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;拼音&lt;/th&gt;&lt;th style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;曲谱符号&lt;/th&gt;&lt;/tr&gt;&lt;/thead&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;h&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;合&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0027;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;s&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;四&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0028;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;y&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;一&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0029;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;s&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;上&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF002A;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;c&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;尺&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF002B;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;g&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;工&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF002C;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;f&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;凡&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF002D;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;l&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;六&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF002E;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;w&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;五&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF002F;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;y&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;乙&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0030;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;tb&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;头板&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0000;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;ty/xy&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;头眼/小眼&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0001;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;zy&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;中眼&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0002;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;my/xy&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;末眼/小眼&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0001;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;zb&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;增板&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0003;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;yty/cty&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;腰头眼/侧头眼&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0004;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;yzy/czy&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;腰中眼/侧中眼&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0005;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;ymy/cmy&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;腰末眼/侧末眼&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0004;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;db&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;底板&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0006;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;yzb&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;腰赠板&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0007;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;dq&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;疊腔&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0008;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;hq&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;豁腔&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF000C;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;sq&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;擻腔&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF000D;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;/table&gt;

&lt;h3&gt;规则&lt;/h3&gt;
&lt;p&gt;在符号的拼音首字母后面可以加后缀：&lt;/p&gt;
&lt;ul&gt;
&lt;li&gt;&lt;b&gt;u&lt;/b&gt;：升高一个八度；&lt;b&gt;uu&lt;/b&gt; 升高两个八度（上 尺 工 凡 六 五 乙）。&lt;/li&gt;
&lt;li&gt;&lt;b&gt;d&lt;/b&gt;：降低一个八度（合 四 一 上 尺 工 凡）。&lt;/li&gt;
&lt;li&gt;&lt;b&gt;q&lt;/b&gt;：加气口。&lt;/li&gt;
&lt;li&gt;&lt;b&gt;x&lt;/b&gt;：小号符号。&lt;/li&gt;
&lt;/ul&gt;
&lt;p&gt;后缀须按“符号、八度、气口、小号”的顺序书写。例如 &lt;b&gt;suqx&lt;/b&gt;：上，高八度，带气口，小号。&lt;/p&gt;

&lt;h3&gt;示例&lt;/h3&gt;
&lt;table border=&quot;1&quot; cellspacing=&quot;0&quot; cellpadding=&quot;4&quot; style=&quot;border-color:#808080; border-style:solid;&quot;&gt;
&lt;thead&gt;&lt;tr&gt;&lt;th style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;输入&lt;/th&gt;&lt;th style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;曲谱符号&lt;/th&gt;&lt;th style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;说明&lt;/th&gt;&lt;/tr&gt;&lt;/thead&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;suqx&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF008E;&lt;/span&gt;&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;上，高八度，带气口，小号&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;gud&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0033;&lt;/span&gt;&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;gu 为高八度的工；u 与 d 不能同时使用，其后的 d 开始下一个符号（如 db 底板、dq 疊腔）&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;hqx&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0084;&lt;/span&gt;&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;合，带气口，小号&lt;/td&gt;&lt;/tr&gt;
&lt;/table&gt;

&lt;p&gt;更多说明见官网的在线文档：{{documentation}}&lt;/p&gt;
&lt;/body&gt;&lt;/html&gt;
</source>
        <translation>&lt;!DOCTYPE HTML PUBLIC &quot;-//W3C//DTD HTML 4.0//EN&quot; &quot;http://www.w3.org/TR/REC-html40/strict.dtd&quot;&gt;
&lt;html&gt;&lt;head&gt;&lt;meta name=&quot;qrichtext&quot; content=&quot;1&quot; /&gt;&lt;meta charset=&quot;utf-8&quot; /&gt;&lt;title&gt;The notation input method&lt;/title&gt;&lt;/head&gt;
&lt;body style=&quot;font-family:&apos;Microsoft YaHei UI&apos;; font-size:9pt;&quot;&gt;
&lt;h2 align=&quot;center&quot;&gt;The notation input method&lt;/h2&gt;

&lt;h3&gt;Introduction&lt;/h3&gt;
&lt;p&gt;While the cursor is in the notation editor on the right, the program uses its built-in notation input method (the system&apos;s input method is off there). It finds a symbol by the first pinyin letters of its name: type the letters, and the popup lists the matching symbols; Space, Tab, Return or the number before a candidate chooses it.&lt;/p&gt;
&lt;p&gt;Besides the notes it finds small notes, notes with a breath mark, small notes with a breath mark, beat marks and ornaments.&lt;/p&gt;

&lt;h3&gt;Codes of the input method&lt;/h3&gt;
&lt;table border=&quot;1&quot; cellspacing=&quot;0&quot; cellpadding=&quot;4&quot; style=&quot;border-color:#808080; border-style:solid;&quot;&gt;
&lt;thead&gt;&lt;tr&gt;&lt;th style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;Code&lt;/th&gt;&lt;th style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;Symbol&lt;/th&gt;&lt;/tr&gt;&lt;/thead&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;h&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;合&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0027;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;s&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;四&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0028;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;y&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;一&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0029;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;s&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;上&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF002A;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;c&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;尺&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF002B;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;g&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;工&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF002C;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;f&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;凡&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF002D;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;l&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;六&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF002E;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;w&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;五&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF002F;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;y&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;乙&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0030;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;tb&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;头板 (first ban)&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0000;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;ty/xy&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;头眼/小眼 (first yan)&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0001;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;zy&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;中眼 (middle yan)&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0002;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;my/xy&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;末眼/小眼 (last yan)&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0001;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;zb&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;增板 (added ban)&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0003;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;yty/cty&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;腰头眼/侧头眼 (waist first yan)&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0004;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;yzy/czy&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;腰中眼/侧中眼 (middle yan)&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0005;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;ymy/cmy&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;腰末眼/侧末眼 (waist last yan)&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0004;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;db&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;底板 (closing ban)&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0006;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;yzb&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;腰赠板 (waist added ban)&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0007;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;dq&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;疊腔 (repeat)&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0008;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;hq&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;豁腔 (upward flick)&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF000C;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;sq&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;擻腔 (shake)&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF000D;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;/table&gt;

&lt;h3&gt;Rules&lt;/h3&gt;
&lt;p&gt;After the letters of a symbol, suffixes may follow:&lt;/p&gt;
&lt;ul&gt;
&lt;li&gt;&lt;b&gt;u&lt;/b&gt;: an octave higher; &lt;b&gt;uu&lt;/b&gt; two octaves higher (上 尺 工 凡 六 五 乙).&lt;/li&gt;
&lt;li&gt;&lt;b&gt;d&lt;/b&gt;: an octave lower (合 四 一 上 尺 工 凡).&lt;/li&gt;
&lt;li&gt;&lt;b&gt;q&lt;/b&gt;: with a breath mark.&lt;/li&gt;
&lt;li&gt;&lt;b&gt;x&lt;/b&gt;: the small form.&lt;/li&gt;
&lt;/ul&gt;
&lt;p&gt;The suffixes come in the order symbol, octave, breath mark, small. For example &lt;b&gt;suqx&lt;/b&gt;: 上, an octave higher, with a breath mark, small.&lt;/p&gt;

&lt;h3&gt;Examples&lt;/h3&gt;
&lt;table border=&quot;1&quot; cellspacing=&quot;0&quot; cellpadding=&quot;4&quot; style=&quot;border-color:#808080; border-style:solid;&quot;&gt;
&lt;thead&gt;&lt;tr&gt;&lt;th style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;Typed&lt;/th&gt;&lt;th style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;Symbol&lt;/th&gt;&lt;th style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;Meaning&lt;/th&gt;&lt;/tr&gt;&lt;/thead&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;suqx&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF008E;&lt;/span&gt;&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;上, an octave higher, with a breath mark, small&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;gud&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0033;&lt;/span&gt;&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;gu is 工 an octave higher; u and d do not go together, so the d that follows begins the next symbol (as in db 底板, dq 疊腔)&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;hqx&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0084;&lt;/span&gt;&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;合, with a breath mark, small&lt;/td&gt;&lt;/tr&gt;
&lt;/table&gt;

&lt;p&gt;More in the online documentation: {{documentation}}&lt;/p&gt;
&lt;/body&gt;&lt;/html&gt;
</translation>
    </message>
</context>
<context>
    <name>InputMethod</name>
    <message>
        <source>曲谱输入法</source>
        <translation>Notation input method</translation>
    </message>
    <message>
        <source>%1：第 %2 个，共 %3 个：%4</source>
        <translation>%1: %2 of %3: %4</translation>
    </message>
    <message>
        <source>曲谱输入法 %1</source>
        <translation>Notation input method %1</translation>
    </message>
</context>
<context>
    <name>InterchangeExport</name>
    <message>
        <source>错误：曲谱中没有可演奏的音符。</source>
        <translation>Error: the score has no notes to play.</translation>
    </message>
    <message>
        <source>警告：</source>
        <translation>Warning: </translation>
    </message>
    <message>
        <source>有曲牌未注明笛色，按%1演奏。</source>
        <translation>A tune name gives no flute key; played in %1.</translation>
    </message>
    <message>
        <source>%1 个符号无法演奏，第一个在第 %2 个唱字的曲谱行：%3</source>
        <translation>%1 symbols cannot be played; the first is on the score line of sung character %2: %3</translation>
    </message>
    <message>
        <source>%1 个唱字没有曲谱，不发音。</source>
        <translation>%1 sung characters have no notation and are silent.</translation>
    </message>
    <message>
        <source>无法生成压缩文件</source>
        <translation>Cannot make the compressed file</translation>
    </message>
    <message>
        <source>错误：</source>
        <translation>Error: </translation>
    </message>
    <message>
        <source>导出失败</source>
        <translation>Export failed</translation>
    </message>
    <message>
        <source>原因：</source>
        <translation>Reason: </translation>
    </message>
    <message>
        <source>导出成功！</source>
        <translation>Exported successfully!</translation>
    </message>
</context>
<context>
    <name>InterchangeSave</name>
    <message>
        <source>提示</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>曲谱中没有可演奏的音符，无法导出。</source>
        <translation>The score has no notes to play; nothing to export.</translation>
    </message>
    <message>
        <source>导出</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>导出失败</source>
        <translation>Export failed</translation>
    </message>
    <message>
        <source>无法写入文件：%1
原因：%2</source>
        <translation>Cannot write the file: %1
Reason: %2</translation>
    </message>
    <message>
        <source>%1 个符号无法演奏，第一个在第 %2 个唱字的曲谱行：%3</source>
        <translation>%1 symbols cannot be played; the first is on the score line of sung character %2: %3</translation>
    </message>
    <message>
        <source>%1 个唱字没有曲谱，不发音。</source>
        <translation>%1 sung characters have no notation and are silent.</translation>
    </message>
</context>
<context>
    <name>LayoutOptions</name>
    <message>
        <source>曲谱角度 %1° 会使工尺倒读，已按 %2° 排版</source>
        <translation>A notation angle of %1° would turn the notes upside down; laid out at %2°</translation>
    </message>
    <message>
        <source>%1 %2 会使工尺相互重叠，已按 0 排版</source>
        <translation>%1 %2 would lay notes over one another; laid out with 0</translation>
    </message>
    <message>
        <source>%1 %2 会使字相互重叠，已按 0 排版</source>
        <translation>%1 %2 would lay characters over one another; laid out with 0</translation>
    </message>
    <message>
        <source>字间距</source>
        <translation>Character spacing</translation>
    </message>
    <message>
        <source>工尺间距</source>
        <translation>Note spacing</translation>
    </message>
    <message>
        <source>板眼间距</source>
        <translation>Beat-mark spacing</translation>
    </message>
    <message>
        <source>工尺板眼间距</source>
        <translation>Note to beat-mark spacing</translation>
    </message>
    <message>
        <source>%1 %2 会使板眼离开工尺，已按 %3 排版</source>
        <translation>%1 %2 would move the beat marks away from their notes; laid out with %3</translation>
    </message>
    <message>
        <source>字与工尺间距 %1 使工尺越出本列，已按 %2 排版</source>
        <translation>A character-to-notation spacing of %1 puts the notes outside their column; laid out with %2</translation>
    </message>
    <message>
        <source>列宽 %1 超过版心宽度，已按 %2 排版</source>
        <translation>A column width of %1 is wider than the text area; laid out with %2</translation>
    </message>
    <message>
        <source>列宽 %1 容不下字与工尺，已按 %2 排版</source>
        <translation>A column width of %1 has no room for a character and its notes; laid out with %2</translation>
    </message>
    <message>
        <source>连白列宽 %1 窄于念白字宽，已按 %2 排版</source>
        <translation>A spoken-passage column width of %1 is narrower than its characters; laid out with %2</translation>
    </message>
    <message>
        <source>页面 %1×%2 pt 减去页边距后容不下一个字，请检查页面尺寸和页边距</source>
        <translation>A page of %1×%2 pt leaves no room for a single character inside its margins; check the page size and the margins</translation>
    </message>
</context>
<context>
    <name>LiveScoreView</name>
    <message>
        <source>曲谱预览</source>
        <translation>Score view</translation>
    </message>
    <message>
        <source>上一页</source>
        <translation>Previous page</translation>
    </message>
    <message>
        <source>上一页 PgUp</source>
        <translation>Previous page PgUp</translation>
    </message>
    <message>
        <source>下一页</source>
        <translation>Next page</translation>
    </message>
    <message>
        <source>下一页 PgDown</source>
        <translation>Next page PgDown</translation>
    </message>
    <message>
        <source>适合宽度</source>
        <translation>Fit width</translation>
    </message>
    <message>
        <source>适合页面</source>
        <translation>Fit page</translation>
    </message>
    <message>
        <source>第 %1 / %2 页</source>
        <translation>Page %1 / %2</translation>
    </message>
</context>
<context>
    <name>LyricReplace</name>
    <message>
        <source>替换</source>
        <translation>Replace</translation>
    </message>
    <message>
        <source>全部替换</source>
        <translation>Replace all</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Qelun工尺谱</source>
        <translation>Qelun Gongche Score Editor</translation>
    </message>
    <message>
        <source>QLineEdit#searchEdit { border: none; border-top-left-radius: 3px; border-bottom-left-radius: 3px; padding-left: 10px; padding-right: 10px; color: palette(text); background: palette(base); }
QLabel#searchResLabel { background: palette(base); border-top-right-radius: 3px; border-bottom-right-radius: 3px; padding-left: 6px; padding-right: 6px; color: palette(text); }
QToolButton { border: none; border-radius: 2px; background: palette(button); margin-left: 6px; color: palette(button-text); min-height: 30px; min-width: 30px; }
QToolButton:hover { background: palette(midlight); }</source>
        <translation>QLineEdit#searchEdit { border: none; border-top-left-radius: 3px; border-bottom-left-radius: 3px; padding-left: 10px; padding-right: 10px; color: palette(text); background: palette(base); }
QLabel#searchResLabel { background: palette(base); border-top-right-radius: 3px; border-bottom-right-radius: 3px; padding-left: 6px; padding-right: 6px; color: palette(text); }
QToolButton { border: none; border-radius: 2px; background: palette(button); margin-left: 6px; color: palette(button-text); min-height: 30px; min-width: 30px; }
QToolButton:hover { background: palette(midlight); }</translation>
    </message>
    <message>
        <source>查找下一个</source>
        <translation>Find next</translation>
    </message>
    <message>
        <source>查找上一个</source>
        <translation>Find previous</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>文件</source>
        <translation>File</translation>
    </message>
    <message>
        <source>编辑</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>插入</source>
        <translation>Insert</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>关于</source>
        <translation>About</translation>
    </message>
    <message>
        <source>color: palette(window-text);</source>
        <translation>color: palette(window-text);</translation>
    </message>
    <message>
        <source>toolBar</source>
        <translation>toolBar</translation>
    </message>
    <message>
        <source>toolBar_2</source>
        <translation>toolBar_2</translation>
    </message>
    <message>
        <source>新建</source>
        <translation>New</translation>
    </message>
    <message>
        <source>新建文件 Ctrl+N</source>
        <translation>New file Ctrl+N</translation>
    </message>
    <message>
        <source>Ctrl+N</source>
        <translation>Ctrl+N</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>打开文件  Ctrl+O</source>
        <translation>Open file  Ctrl+O</translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation>Ctrl+O</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>保存文件  Ctrl+S</source>
        <translation>Save file  Ctrl+S</translation>
    </message>
    <message>
        <source>Ctrl+S</source>
        <translation>Ctrl+S</translation>
    </message>
    <message>
        <source>另存为</source>
        <translation>Save as</translation>
    </message>
    <message>
        <source>文件另存为  Ctrl+Shift+S</source>
        <translation>Save the file as  Ctrl+Shift+S</translation>
    </message>
    <message>
        <source>Ctrl+Shift+S</source>
        <translation>Ctrl+Shift+S</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>复制  Ctrl+C</source>
        <translation>Copy  Ctrl+C</translation>
    </message>
    <message>
        <source>Ctrl+C</source>
        <translation>Ctrl+C</translation>
    </message>
    <message>
        <source>粘贴</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>粘贴  Ctrl+V</source>
        <translation>Paste  Ctrl+V</translation>
    </message>
    <message>
        <source>Ctrl+V</source>
        <translation>Ctrl+V</translation>
    </message>
    <message>
        <source>剪切</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>剪切  Ctrl+X</source>
        <translation>Cut  Ctrl+X</translation>
    </message>
    <message>
        <source>Ctrl+X</source>
        <translation>Ctrl+X</translation>
    </message>
    <message>
        <source>撤销</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>撤销  Ctrl+Z</source>
        <translation>Undo  Ctrl+Z</translation>
    </message>
    <message>
        <source>Ctrl+Z</source>
        <translation>Ctrl+Z</translation>
    </message>
    <message>
        <source>重做</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>重做  Ctrl+Shift+Z</source>
        <translation>Redo  Ctrl+Shift+Z</translation>
    </message>
    <message>
        <source>Ctrl+Shift+Z</source>
        <translation>Ctrl+Shift+Z</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>退出 Esc</source>
        <translation>Quit Esc</translation>
    </message>
    <message>
        <source>Esc</source>
        <translation>Esc</translation>
    </message>
    <message>
        <source>标题</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>插入标题 Alt+B</source>
        <translation>Insert a title Alt+B</translation>
    </message>
    <message>
        <source>Alt+B</source>
        <translation>Alt+B</translation>
    </message>
    <message>
        <source>曲牌</source>
        <translation>Tune name</translation>
    </message>
    <message>
        <source>插入曲牌和调号  Alt+Q</source>
        <translation>Insert a tune name and key  Alt+Q</translation>
    </message>
    <message>
        <source>Alt+Q</source>
        <translation>Alt+Q</translation>
    </message>
    <message>
        <source>念白</source>
        <translation>Spoken (nianbai)</translation>
    </message>
    <message>
        <source>插入念白  Alt+L</source>
        <translation>Insert a spoken passage  Alt+L</translation>
    </message>
    <message>
        <source>Alt+L</source>
        <translation>Alt+L</translation>
    </message>
    <message>
        <source>夹白</source>
        <translation>Spoken aside (jiabai)</translation>
    </message>
    <message>
        <source>插入夹白  Alt+J</source>
        <translation>Insert a spoken aside  Alt+J</translation>
    </message>
    <message>
        <source>Alt+J</source>
        <translation>Alt+J</translation>
    </message>
    <message>
        <source>换行</source>
        <translation>Line break</translation>
    </message>
    <message>
        <source>插入换行符  Alt+Enter</source>
        <translation>Insert a column break  Alt+Enter</translation>
    </message>
    <message>
        <source>Alt+Return</source>
        <translation>Alt+Return</translation>
    </message>
    <message>
        <source>分页</source>
        <translation>Page break</translation>
    </message>
    <message>
        <source>插入分页符 Alt+Shift+Enter</source>
        <translation>Insert a page break Alt+Shift+Enter</translation>
    </message>
    <message>
        <source>Alt+Shift+Return</source>
        <translation>Alt+Shift+Return</translation>
    </message>
    <message>
        <source>搜索</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>搜索 Ctrl+F</source>
        <translation>Search Ctrl+F</translation>
    </message>
    <message>
        <source>Ctrl+F</source>
        <translation>Ctrl+F</translation>
    </message>
    <message>
        <source>帮助</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>查看帮助文档</source>
        <translation>Read the help</translation>
    </message>
    <message>
        <source>导出</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>导出曲谱 Ctrl+E</source>
        <translation>Export the score Ctrl+E</translation>
    </message>
    <message>
        <source>Ctrl+E</source>
        <translation>Ctrl+E</translation>
    </message>
    <message>
        <source>注释</source>
        <translation>Comment</translation>
    </message>
    <message>
        <source>插入注释  Alt+Z</source>
        <translation>Insert a comment  Alt+Z</translation>
    </message>
    <message>
        <source>Alt+Z</source>
        <translation>Alt+Z</translation>
    </message>
    <message>
        <source>转到</source>
        <translation>Go to</translation>
    </message>
    <message>
        <source>打开文件</source>
        <translation>Open file</translation>
    </message>
    <message>
        <source>工尺谱文件 (*.gcp)</source>
        <translation>Gongche score files (*.gcp)</translation>
    </message>
    <message>
        <source>文件(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>编辑(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>插入(&amp;I)</source>
        <translation>&amp;Insert</translation>
    </message>
    <message>
        <source>设置(&amp;S)</source>
        <translation>&amp;Settings</translation>
    </message>
    <message>
        <source>关于(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>视图(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>%1 浮动</source>
        <translation>Float %1</translation>
    </message>
    <message>
        <source>关闭%1</source>
        <translation>Close %1</translation>
    </message>
    <message>
        <source>查找内容</source>
        <translation>Find what</translation>
    </message>
    <message>
        <source>替换为</source>
        <translation>Replace with</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>曲谱预览</source>
        <translation>Score view</translation>
    </message>
    <message>
        <source>显示或隐藏曲谱预览 Ctrl+Shift+P</source>
        <translation>Show or hide the score view Ctrl+Shift+P</translation>
    </message>
    <message>
        <source>视图</source>
        <translation>View</translation>
    </message>
    <message>
        <source>符号</source>
        <translation>Symbols</translation>
    </message>
    <message>
        <source>显示或隐藏曲谱符号表</source>
        <translation>Show or hide the table of notation symbols</translation>
    </message>
    <message>
        <source>打印…</source>
        <translation>Print…</translation>
    </message>
    <message>
        <source>打印曲谱 Ctrl+P</source>
        <translation>Print the score Ctrl+P</translation>
    </message>
    <message>
        <source>关闭当前文件 Ctrl+W</source>
        <translation>Close the current file Ctrl+W</translation>
    </message>
    <message>
        <source>下一个文件</source>
        <translation>Next file</translation>
    </message>
    <message>
        <source>上一个文件</source>
        <translation>Previous file</translation>
    </message>
    <message>
        <source>替换</source>
        <translation>Replace</translation>
    </message>
    <message>
        <source>全部替换</source>
        <translation>Replace all</translation>
    </message>
    <message>
        <source>查找下一个 F3</source>
        <translation>Find next F3</translation>
    </message>
    <message>
        <source>查找上一个 Shift+F3</source>
        <translation>Find previous Shift+F3</translation>
    </message>
    <message>
        <source>查找并替换 Ctrl+H</source>
        <translation>Find and replace Ctrl+H</translation>
    </message>
    <message>
        <source>已替换 %1 处</source>
        <translation>%1 replaced</translation>
    </message>
    <message>
        <source>&quot;%1&quot;未保存，是否保存？</source>
        <translation>&quot;%1&quot; is not saved. Save it?</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>&quot;%1&quot;保存成功！</source>
        <translation>&quot;%1&quot; was saved.</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>保存设置时发生错误！</source>
        <translation>The settings could not be saved!</translation>
    </message>
    <message>
        <source>已将 %1 个工尺字转为曲谱符号</source>
        <translation>Turned %1 gongche characters into notation symbols</translation>
    </message>
    <message>
        <source>复制为文字谱</source>
        <translation>Copy as Plain-Text Gongche</translation>
    </message>
    <message>
        <source>把所选唱词行（未选时为全文）连同曲谱以普通文字复制，可贴到其他程序</source>
        <translation>Copy the selected lyric lines (all of them when nothing is selected) with their notation as ordinary text, to paste into other programs</translation>
    </message>
    <message>
        <source>已复制为文字谱</source>
        <translation>Copied as plain-text gongche</translation>
    </message>
    <message>
        <source>导入文字谱…</source>
        <translation>Import Plain-Text Gongche…</translation>
    </message>
    <message>
        <source>打开文字谱文本文件（.txt），作为新曲谱</source>
        <translation>Open a plain-text gongche file (.txt) as a new score</translation>
    </message>
    <message>
        <source>导入文字谱</source>
        <translation>Import Plain-Text Gongche</translation>
    </message>
    <message>
        <source>文字谱 (*.txt);;所有文件 (*)</source>
        <translation>Plain-text gongche (*.txt);;All files (*)</translation>
    </message>
    <message>
        <source>……共 %1 处</source>
        <translation>… %1 in all</translation>
    </message>
    <message>
        <source>无法导入文字谱，没有打开任何内容。</source>
        <translation>The plain-text gongche cannot be imported; nothing was opened.</translation>
    </message>
    <message>
        <source>%1：更多按钮</source>
        <translation>%1: more buttons</translation>
    </message>
</context>
<context>
    <name>MusicConfig</name>
    <message>
        <source>笛</source>
        <translation>Flute (笛)</translation>
    </message>
    <message>
        <source>尺八</source>
        <translation>Shakuhachi</translation>
    </message>
    <message>
        <source>短笛</source>
        <translation>Piccolo</translation>
    </message>
    <message>
        <source>人声</source>
        <translation>Voice</translation>
    </message>
</context>
<context>
    <name>MusicExport</name>
    <message>
        <source>曲谱中没有可演奏的音符。</source>
        <translation>The score has no notes to play.</translation>
    </message>
    <message>
        <source>有曲牌未注明笛色，按%1演奏。</source>
        <translation>A tune name gives no flute key; played in %1.</translation>
    </message>
    <message>
        <source>%1 个符号无法演奏，第一个在第 %2 个唱字的曲谱行：%3</source>
        <translation>%1 symbols cannot be played; the first is on the score line of sung character %2: %3</translation>
    </message>
    <message>
        <source>%1 个唱字没有曲谱，不发音。</source>
        <translation>%1 sung characters have no notation and are silent.</translation>
    </message>
</context>
<context>
    <name>MusicSettingsDialog</name>
    <message>
        <source>音乐设置</source>
        <translation>Music Settings</translation>
    </message>
    <message>
        <source>上的音高（笛色）</source>
        <translation>Pitch of 上 (flute key)</translation>
    </message>
    <message>
        <source>%1上的音高</source>
        <translation>Pitch of 上 in %1</translation>
    </message>
    <message>
        <source>：</source>
        <translation>: </translation>
    </message>
    <message>
        <source>在笛的音高上升高（正）或降低（负）几个八度；音色为人声时另降一个八度</source>
        <translation>Octaves above (positive) or below (negative) the flute&apos;s pitch; the voice sounds one octave lower still</translation>
    </message>
    <message>
        <source>八度：</source>
        <translation>Octave:</translation>
    </message>
    <message>
        <source>速度（每分钟拍数）</source>
        <translation>Tempo (beats a minute)</translation>
    </message>
    <message>
        <source>赠板：</source>
        <translation>赠板 (8/4):</translation>
    </message>
    <message>
        <source>一板三眼：</source>
        <translation>一板三眼 (4/4):</translation>
    </message>
    <message>
        <source>一板一眼：</source>
        <translation>一板一眼 (2/4):</translation>
    </message>
    <message>
        <source>流水板：</source>
        <translation>流水板 (1/4):</translation>
    </message>
    <message>
        <source>散板：</source>
        <translation>散板 (free):</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>恢复默认</source>
        <translation>Restore Defaults</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>无法保存音乐设置。</source>
        <translation>The music settings cannot be saved.</translation>
    </message>
</context>
<context>
    <name>MusicSynth</name>
    <message>
        <source>此版本编译时没有 FluidSynth，不能发声。</source>
        <translation>This build has no FluidSynth and cannot make sound.</translation>
    </message>
    <message>
        <source>找不到音色库（.sf2/.sf3）：请安装 timgm6mb-soundfont，或在音乐设置中选择一个音色库文件。</source>
        <translation>No sound font (.sf2/.sf3) found: install timgm6mb-soundfont, or choose a sound font file in the music settings.</translation>
    </message>
    <message>
        <source>找不到音色库文件：%1</source>
        <translation>Sound font file not found: %1</translation>
    </message>
    <message>
        <source>不是音色库文件：%1</source>
        <translation>Not a sound font file: %1</translation>
    </message>
    <message>
        <source>无法启动合成器。</source>
        <translation>The synthesiser cannot be started.</translation>
    </message>
    <message>
        <source>无法读取音色库：%1</source>
        <translation>Cannot read the sound font: %1</translation>
    </message>
    <message>
        <source>无法载入 FluidSynth 库，不能发声：%1</source>
        <translation>Cannot load the FluidSynth library, so no sound can be made: %1</translation>
    </message>
</context>
<context>
    <name>MxlWriter</name>
    <message>
        <source>无法载入 libzip 库：%1</source>
        <translation>Cannot load the libzip library: %1</translation>
    </message>
</context>
<context>
    <name>OpenFailure</name>
    <message>
        <source>文件不完整，可能在复制或保存时被截断。</source>
        <translation>The file is incomplete; it may have been cut short while being copied or saved.</translation>
    </message>
    <message>
        <source>这不是工尺谱文件，或文件已损坏。</source>
        <translation>This is not a gongche score file, or the file is damaged.</translation>
    </message>
    <message>
        <source>链接指向的文件不存在。</source>
        <translation>The link points to a file that does not exist.</translation>
    </message>
    <message>
        <source>找不到此文件。</source>
        <translation>The file cannot be found.</translation>
    </message>
    <message>
        <source>这是一个文件夹，不是文件。</source>
        <translation>This is a folder, not a file.</translation>
    </message>
    <message>
        <source>这不是普通文件（例如管道或设备文件）。</source>
        <translation>This is not a regular file (for example a pipe or a device).</translation>
    </message>
    <message>
        <source>没有读取此文件的权限。</source>
        <translation>No permission to read this file.</translation>
    </message>
</context>
<context>
    <name>PageText</name>
    <message>
        <source>（尚未开通）</source>
        <translation>(not available yet)</translation>
    </message>
</context>
<context>
    <name>PairingReport</name>
    <message>
        <source>曲谱中有 %1 个字符不是曲谱符号</source>
        <translation>%1 characters of the score are not notation symbols</translation>
    </message>
    <message>
        <source>曲谱 %1 行，唱字 %2 个，不成对：</source>
        <translation>%1 score lines, %2 sung characters, not paired:</translation>
    </message>
    <message>
        <source>曲谱第 %1 行起没有对应的唱字</source>
        <translation>from score line %1 on there is no sung character</translation>
    </message>
    <message>
        <source>第 %1 个唱字起没有对应的曲谱行</source>
        <translation>from sung character %1 on there is no score line</translation>
    </message>
    <message>
        <source>有 %1 行曲谱没有对应的唱字，不会被导出。</source>
        <translation>%1 score lines have no sung character and are not exported.</translation>
    </message>
</context>
<context>
    <name>PlainScoreText</name>
    <message>
        <source>无法读取文件（不存在、不是普通文件或没有读取权限）。</source>
        <translation>Cannot read the file (it does not exist, is not a regular file, or may not be read).</translation>
    </message>
    <message>
        <source>文件太大，不是文字谱。</source>
        <translation>The file is too large to be plain-text gongche.</translation>
    </message>
    <message>
        <source>文件不是 UTF-8 或 GB18030 编码的文本。</source>
        <translation>The file is not text in UTF-8 or GB18030.</translation>
    </message>
    <message>
        <source>文件不是文本。</source>
        <translation>The file is not text.</translation>
    </message>
    <message>
        <source>第 %1 行是多出的曲谱行：前面的唱词行没有这么多唱字。</source>
        <translation>Line %1 is a score line too many: the lyric line before it has fewer sung characters.</translation>
    </message>
    <message>
        <source>第 %1 行应是唱字「%2」的曲谱行（「%2」、一个 Tab、曲谱）。</source>
        <translation>Line %1 should be the score line of the sung character “%2” (“%2”, a Tab, the notation).</translation>
    </message>
    <message>
        <source>第 %1 行有 %2 个字符不是工尺谱字，已原样保留。</source>
        <translation>Line %1 has %2 characters that are not gongche; kept as they are.</translation>
    </message>
</context>
<context>
    <name>PlaybackBar</name>
    <message>
        <source>播放</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>播放选中的唱词，或从光标处播放；播放时停止 F5</source>
        <translation>Play the selected lyrics, or from the cursor; stops while playing (F5)</translation>
    </message>
    <message>
        <source>从头播放</source>
        <translation>Play from the Start</translation>
    </message>
    <message>
        <source>从头播放整份曲谱 Shift+F5</source>
        <translation>Play the whole score from the start (Shift+F5)</translation>
    </message>
    <message>
        <source>速度：</source>
        <translation>Tempo:</translation>
    </message>
    <message>
        <source>各板式速度的倍数</source>
        <translation>A factor on the tempo of every metre</translation>
    </message>
    <message>
        <source>速度</source>
        <translation>Tempo</translation>
    </message>
    <message>
        <source>默认笛色：</source>
        <translation>Default key:</translation>
    </message>
    <message>
        <source>曲牌未注明笛色时按此调演奏</source>
        <translation>The key played where a tune name names none</translation>
    </message>
    <message>
        <source>默认笛色</source>
        <translation>Default key</translation>
    </message>
    <message>
        <source>音色：</source>
        <translation>Sound:</translation>
    </message>
    <message>
        <source>音色</source>
        <translation>Sound</translation>
    </message>
    <message>
        <source>音色库…</source>
        <translation>Sound Font…</translation>
    </message>
    <message>
        <source>音乐设置…</source>
        <translation>Music Settings…</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>这里没有可演奏的音符。</source>
        <translation>There are no notes to play here.</translation>
    </message>
    <message>
        <source>无法播放：%1</source>
        <translation>Cannot play: %1</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>正在播放</source>
        <translation>Playing</translation>
    </message>
    <message>
        <source>曲牌未注明笛色，按默认笛色%1演奏</source>
        <translation>The tune name gives no flute key; playing in the default key, %1</translation>
    </message>
    <message>
        <source>%1 个符号无法演奏</source>
        <translation>%1 symbols cannot be played</translation>
    </message>
    <message>
        <source>无法保存音乐设置。</source>
        <translation>The music settings cannot be saved.</translation>
    </message>
    <message>
        <source>选择音色库</source>
        <translation>Choose a Sound Font</translation>
    </message>
    <message>
        <source>音色库 (*.sf2 *.sf3);;所有文件 (*)</source>
        <translation>Sound fonts (*.sf2 *.sf3);;All files (*)</translation>
    </message>
    <message>
        <source>音色库：%1</source>
        <translation>Sound font: %1</translation>
    </message>
</context>
<context>
    <name>QL_Edit</name>
    <message>
        <source>唱词</source>
        <translation>Lyrics</translation>
    </message>
    <message>
        <source>曲谱</source>
        <translation>Notation</translation>
    </message>
    <message>
        <source>撤销</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Ctrl+Z</source>
        <translation>Ctrl+Z</translation>
    </message>
    <message>
        <source>重做</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>Ctrl+Shift+Z</source>
        <translation>Ctrl+Shift+Z</translation>
    </message>
    <message>
        <source>剪切</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>Ctrl+X</source>
        <translation>Ctrl+X</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Ctrl+C</source>
        <translation>Ctrl+C</translation>
    </message>
    <message>
        <source>粘贴</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>Ctrl+V</source>
        <translation>Ctrl+V</translation>
    </message>
    <message>
        <source>唱词行类型</source>
        <translation>Lyric line types</translation>
    </message>
    <message>
        <source>曲谱所属唱字</source>
        <translation>Sung character of each score line</translation>
    </message>
    <message>
        <source>选择文件</source>
        <translation>Choose a file</translation>
    </message>
    <message>
        <source>工尺谱文件 (*.gcp)</source>
        <translation>Gongche score files (*.gcp)</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>&quot;%1&quot;已存在，是否替换？</source>
        <translation>&quot;%1&quot; already exists. Replace it?</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>保存文件时发生错误！</source>
        <translation>The file could not be saved!</translation>
    </message>
    <message>
        <source>原因：</source>
        <translation>Reason: </translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>保存成功！</source>
        <translation>Saved.</translation>
    </message>
    <message>
        <source>文件类型错误</source>
        <translation>Wrong file type</translation>
    </message>
    <message>
        <source>请选择工尺谱文件（.gcp）格式！</source>
        <translation>Please choose a gongche score file (.gcp)!</translation>
    </message>
    <message>
        <source>打开文件时发生错误！</source>
        <translation>The file could not be opened!</translation>
    </message>
    <message>
        <source># 标题</source>
        <translation># 标题</translation>
    </message>
    <message>
        <source>【曲牌名】(调名)</source>
        <translation>【曲牌名】(调名)</translation>
    </message>
    <message>
        <source>@换行符</source>
        <translation>@换行符</translation>
    </message>
    <message>
        <source>@分页符</source>
        <translation>@分页符</translation>
    </message>
    <message>
        <source>未命名</source>
        <translation>Untitled</translation>
    </message>
</context>
<context>
    <name>QL_Export</name>
    <message>
        <source>导出</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>字体</source>
        <translation>Fonts</translation>
    </message>
    <message>
        <source>标题：</source>
        <translation>Title:</translation>
    </message>
    <message>
        <source>5~300</source>
        <translation>5~300</translation>
    </message>
    <message>
        <source>唱词：</source>
        <translation>Lyrics:</translation>
    </message>
    <message>
        <source>曲谱：</source>
        <translation>Notation:</translation>
    </message>
    <message>
        <source>曲牌：</source>
        <translation>Tune name:</translation>
    </message>
    <message>
        <source>调名：</source>
        <translation>Key:</translation>
    </message>
    <message>
        <source>念白：</source>
        <translation>Spoken:</translation>
    </message>
    <message>
        <source>夹白：</source>
        <translation>Spoken aside:</translation>
    </message>
    <message>
        <source>页面</source>
        <translation>Page</translation>
    </message>
    <message>
        <source>纸张：</source>
        <translation>Paper:</translation>
    </message>
    <message>
        <source>纸张方向：</source>
        <translation>Orientation:</translation>
    </message>
    <message>
        <source>宽度：</source>
        <translation>Width:</translation>
    </message>
    <message>
        <source>10~10000</source>
        <translation>10~10000</translation>
    </message>
    <message>
        <source>高度：</source>
        <translation>Height:</translation>
    </message>
    <message>
        <source>上边距：</source>
        <translation>Top margin:</translation>
    </message>
    <message>
        <source>0~10000</source>
        <translation>0~10000</translation>
    </message>
    <message>
        <source>下边距：</source>
        <translation>Bottom margin:</translation>
    </message>
    <message>
        <source>左边距：</source>
        <translation>Left margin:</translation>
    </message>
    <message>
        <source>右边距：</source>
        <translation>Right margin:</translation>
    </message>
    <message>
        <source>曲谱超过边界时是否自动换行：</source>
        <translation>Notation past the foot of a column:</translation>
    </message>
    <message>
        <source>在每页底边居中印页码</source>
        <translation>Print the page number centred at the foot of every page</translation>
    </message>
    <message>
        <source>页码</source>
        <translation>Page numbers</translation>
    </message>
    <message>
        <source>在相邻两列之间画细线</source>
        <translation>Rule thin lines between the columns</translation>
    </message>
    <message>
        <source>界行</source>
        <translation>Column rules</translation>
    </message>
    <message>
        <source>在版心四周画边框</source>
        <translation>Draw a frame around the text area</translation>
    </message>
    <message>
        <source>边框</source>
        <translation>Frame</translation>
    </message>
    <message>
        <source>颜色</source>
        <translation>Colours</translation>
    </message>
    <message>
        <source>板：</source>
        <translation>Ban (downbeat):</translation>
    </message>
    <message>
        <source>小眼：</source>
        <translation>Small yan:</translation>
    </message>
    <message>
        <source>中眼：</source>
        <translation>Middle yan:</translation>
    </message>
    <message>
        <source>腔格：</source>
        <translation>Ornaments:</translation>
    </message>
    <message>
        <source>背景：</source>
        <translation>Background:</translation>
    </message>
    <message>
        <source>透明背景</source>
        <translation>Transparent background</translation>
    </message>
    <message>
        <source>行间距</source>
        <translation>Spacing</translation>
    </message>
    <message>
        <source>标题位置：</source>
        <translation>Title position:</translation>
    </message>
    <message>
        <source>唱词间距：</source>
        <translation>Character spacing:</translation>
    </message>
    <message>
        <source>-200~200</source>
        <translation>-200~200</translation>
    </message>
    <message>
        <source>曲谱间距：</source>
        <translation>Note spacing:</translation>
    </message>
    <message>
        <source>板眼间距：</source>
        <translation>Beat-mark spacing:</translation>
    </message>
    <message>
        <source>词曲间距：</source>
        <translation>Character to notation:</translation>
    </message>
    <message>
        <source>曲谱与板眼的间距：</source>
        <translation>Notation to beat marks:</translation>
    </message>
    <message>
        <source>念白宽度：</source>
        <translation>Spoken column width:</translation>
    </message>
    <message>
        <source>每列宽度：</source>
        <translation>Column width:</translation>
    </message>
    <message>
        <source>曲谱角度：</source>
        <translation>Notation angle:</translation>
    </message>
    <message>
        <source>-360~360</source>
        <translation>-360~360</translation>
    </message>
    <message>
        <source>border: 1px solid #dcdcdc;</source>
        <translation>border: 1px solid #dcdcdc;</translation>
    </message>
    <message>
        <source>border: none;</source>
        <translation>border: none;</translation>
    </message>
    <message>
        <source>导出类型：</source>
        <translation>Export type:</translation>
    </message>
    <message>
        <source>图片质量：</source>
        <translation>Image quality:</translation>
    </message>
    <message>
        <source>实时预览</source>
        <translation>Live preview</translation>
    </message>
    <message>
        <source>恢复默认</source>
        <translation>Restore defaults</translation>
    </message>
    <message>
        <source>保存方案</source>
        <translation>Save scheme</translation>
    </message>
    <message>
        <source>导入方案</source>
        <translation>Load scheme</translation>
    </message>
    <message>
        <source>打印…</source>
        <translation>Print…</translation>
    </message>
    <message>
        <source>低（DPI=96）</source>
        <translation>Low (96 dpi)</translation>
    </message>
    <message>
        <source>中（DPI=160）</source>
        <translation>Medium (160 dpi)</translation>
    </message>
    <message>
        <source>高（DPI=300）</source>
        <translation>High (300 dpi)</translation>
    </message>
    <message>
        <source>超高（DPI=600）</source>
        <translation>Very high (600 dpi)</translation>
    </message>
    <message>
        <source>JSON文件 (*.json)</source>
        <translation>JSON files (*.json)</translation>
    </message>
    <message>
        <source>成功</source>
        <translation>Success</translation>
    </message>
    <message>
        <source>保存成功！</source>
        <translation>Saved.</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>保存失败！</source>
        <translation>Saving failed!</translation>
    </message>
    <message>
        <source>导入成功！</source>
        <translation>Loaded.</translation>
    </message>
    <message>
        <source>导入失败，文件错误！</source>
        <translation>Loading failed: the file is not a scheme!</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>曲谱为空，没有可导出的内容。</source>
        <translation>The score is empty; there is nothing to export.</translation>
    </message>
    <message>
        <source>导出为PDF文件</source>
        <translation>Export as a PDF file</translation>
    </message>
    <message>
        <source>PDF文件 (*.pdf)</source>
        <translation>PDF files (*.pdf)</translation>
    </message>
    <message>
        <source>导出为JPG文件</source>
        <translation>Export as JPG files</translation>
    </message>
    <message>
        <source>导出为PNG文件</source>
        <translation>Export as PNG files</translation>
    </message>
    <message>
        <source>导出为SVG文件</source>
        <translation>Export as SVG files</translation>
    </message>
    <message>
        <source>以下设置超出页面所能容纳，已按可排范围导出：
%1</source>
        <translation>These settings do not fit the page and were exported as near as the page allows:
%1</translation>
    </message>
    <message>
        <source>导出成功！</source>
        <translation>Exported successfully!</translation>
    </message>
    <message>
        <source>已写入文件夹：%1</source>
        <translation>Written to the folder: %1</translation>
    </message>
    <message>
        <source>已写入文件：%1</source>
        <translation>Written to the file: %1</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>导出失败！</source>
        <translation>Export failed!</translation>
    </message>
    <message>
        <source>MIDI 音乐</source>
        <translation>MIDI music</translation>
    </message>
    <message>
        <source>WAV 音频</source>
        <translation>WAV audio</translation>
    </message>
    <message>
        <source>乐谱交换 MusicXML</source>
        <translation>MusicXML (score exchange)</translation>
    </message>
    <message>
        <source>乐谱交换 MusicXML（压缩 .mxl）</source>
        <translation>MusicXML (score exchange, compressed .mxl)</translation>
    </message>
    <message>
        <source>简谱文本</source>
        <translation>Jianpu text</translation>
    </message>
    <message>
        <source>文字谱文本</source>
        <translation>Plain-text gongche</translation>
    </message>
    <message>
        <source>导出为WAV文件</source>
        <translation>Export as WAV File</translation>
    </message>
    <message>
        <source>导出为MIDI文件</source>
        <translation>Export as MIDI File</translation>
    </message>
    <message>
        <source>WAV文件 (*.wav)</source>
        <translation>WAV files (*.wav)</translation>
    </message>
    <message>
        <source>MIDI文件 (*.mid *.midi)</source>
        <translation>MIDI files (*.mid *.midi)</translation>
    </message>
</context>
<context>
    <name>QL_GenerateSVG</name>
    <message>
        <source>生成预览</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>正在生成预览···</source>
        <translation>Making the preview…</translation>
    </message>
    <message>
        <source>绘制曲谱</source>
        <translation>Drawing the score</translation>
    </message>
    <message>
        <source>正在绘制曲谱···</source>
        <translation>Drawing the score…</translation>
    </message>
</context>
<context>
    <name>QL_LyricEdit</name>
    <message>
        <source>标题</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>注释</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>夹白</source>
        <translation>Aside</translation>
    </message>
    <message>
        <source>念白</source>
        <translation>Speech</translation>
    </message>
    <message>
        <source>曲牌</source>
        <translation>Tune</translation>
    </message>
    <message>
        <source>换行</source>
        <translation>Break</translation>
    </message>
    <message>
        <source>分页</source>
        <translation>Page</translation>
    </message>
    <message>
        <source>唱</source>
        <translation>Sung</translation>
    </message>
    <message>
        <source>这一行以“【”开头，却不是完整的曲牌行。
曲牌行写作“【曲牌名】”或“【曲牌名】(调名)”，
“】”与括号之间不留空格，其后不跟别的文字。
行中的字不配曲谱。</source>
        <translation>This line starts with “【” but is not a complete tune-name line.
A tune-name line reads “【name】” or “【name】(key)”,
with no space between “】” and the parenthesis and nothing after it.
The characters of the line get no notation.</translation>
    </message>
    <message>
        <source>这一行以“@”开头，却不是“@换行符”或“@分页符”。
行中的字不配曲谱。</source>
        <translation>This line starts with “@” but is neither “@换行符” (column break) nor “@分页符” (page break).
The characters of the line get no notation.</translation>
    </message>
    <message>
        <source>？</source>
        <translation>?</translation>
    </message>
</context>
<context>
    <name>QL_ScoreEdit</name>
    <message>
        <source>这一行曲谱没有对应的唱字，导出时不会输出。</source>
        <translation>No sung character owns this score line; it is not exported.</translation>
    </message>
    <message>
        <source>“%1”不是曲谱符号，导出时按普通文字排印。
曲谱符号请用曲谱输入法或符号表输入。</source>
        <translation>“%1” is not a notation symbol and is exported as plain text.
Type notation symbols with the notation input method or the symbol table.</translation>
    </message>
</context>
<context>
    <name>QProgressDialog</name>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>RecentFilesMenu</name>
    <message>
        <source>最近打开(&amp;R)</source>
        <translation>&amp;Recent files</translation>
    </message>
    <message>
        <source>（无）</source>
        <translation>(none)</translation>
    </message>
    <message>
        <source>清除列表</source>
        <translation>Clear the list</translation>
    </message>
</context>
<context>
    <name>RhythmRules</name>
    <message>
        <source>板眼落在已定拍的音上</source>
        <translation>Beat mark on a note that already has its beat</translation>
    </message>
    <message>
        <source>板眼前没有音</source>
        <translation>No note before the beat mark</translation>
    </message>
</context>
<context>
    <name>ScorePrinter</name>
    <message>
        <source>打印</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>正在打印···</source>
        <translation>Printing…</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>打印失败！</source>
        <translation>Printing failed!</translation>
    </message>
</context>
<context>
    <name>ScoreWriter</name>
    <message>
        <source>提示</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>导出已取消</source>
        <translation>The export was cancelled</translation>
    </message>
    <message>
        <source>文件无写入权限或文件已被占用!</source>
        <translation>The file cannot be written or is in use!</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>导出PDF文件失败!</source>
        <translation>Exporting the PDF file failed!</translation>
    </message>
    <message>
        <source>导出</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>正在导出PDF文件···</source>
        <translation>Exporting the PDF file…</translation>
    </message>
    <message>
        <source>导出图片失败！</source>
        <translation>Exporting the images failed!</translation>
    </message>
    <message>
        <source>创建目录失败</source>
        <translation>The folder could not be created</translation>
    </message>
    <message>
        <source>正在导出%1文件···</source>
        <translation>Exporting the %1 file…</translation>
    </message>
    <message>
        <source>创建目录失败!</source>
        <translation>The folder could not be created!</translation>
    </message>
    <message>
        <source>正在导出SVG文件···</source>
        <translation>Exporting the SVG files…</translation>
    </message>
    <message>
        <source>导出SVG文件失败!</source>
        <translation>Exporting the SVG files failed!</translation>
    </message>
    <message>
        <source>导出字体文件失败!</source>
        <translation>Exporting the font file failed!</translation>
    </message>
    <message>
        <source>导出说明文件失败!</source>
        <translation>Exporting the readme failed!</translation>
    </message>
    <message>
        <source>Qelun工尺谱导出曲谱说明：SVG文件需要安装“%1”才能正常显示。</source>
        <translation>Qelun gongche score export: the SVG files need the font “%1” installed to show correctly.</translation>
    </message>
</context>
<context>
    <name>ServiceRequest</name>
    <message>
        <source>服务器响应超时</source>
        <translation>The server did not answer in time</translation>
    </message>
    <message>
        <source>服务器转到了其他主机：%1</source>
        <translation>The server redirected to another host: %1</translation>
    </message>
    <message>
        <source>服务器的回答过大（%1 字节）</source>
        <translation>The server&apos;s answer is too large (%1 bytes)</translation>
    </message>
    <message>
        <source>服务器的回答超过 %1 字节</source>
        <translation>The server&apos;s answer exceeds %1 bytes</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>设置</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>曲谱编辑框</source>
        <translation>Notation editor</translation>
    </message>
    <message>
        <source>字体：</source>
        <translation>Font:</translation>
    </message>
    <message>
        <source>字体颜色：</source>
        <translation>Text colour:</translation>
    </message>
    <message>
        <source>背景颜色：</source>
        <translation>Background colour:</translation>
    </message>
    <message>
        <source>行号栏字体：</source>
        <translation>Gutter font:</translation>
    </message>
    <message>
        <source>行号栏颜色：</source>
        <translation>Gutter colour:</translation>
    </message>
    <message>
        <source>行号栏背景：</source>
        <translation>Gutter background:</translation>
    </message>
    <message>
        <source>唱词编辑框</source>
        <translation>Lyric editor</translation>
    </message>
    <message>
        <source>唱词颜色：</source>
        <translation>Lyric colour:</translation>
    </message>
    <message>
        <source>标题颜色：</source>
        <translation>Title colour:</translation>
    </message>
    <message>
        <source>曲牌颜色：</source>
        <translation>Tune-name colour:</translation>
    </message>
    <message>
        <source>夹白颜色：</source>
        <translation>Spoken-aside colour:</translation>
    </message>
    <message>
        <source>念白颜色：</source>
        <translation>Spoken colour:</translation>
    </message>
    <message>
        <source>注释颜色：</source>
        <translation>Comment colour:</translation>
    </message>
    <message>
        <source>标点颜色：</source>
        <translation>Punctuation colour:</translation>
    </message>
    <message>
        <source>分页换行：</source>
        <translation>Breaks:</translation>
    </message>
    <message>
        <source>错误内容：</source>
        <translation>Errors:</translation>
    </message>
    <message>
        <source>恢复默认</source>
        <translation>Restore defaults</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>无法写入设置文件&quot;%1&quot;，设置未能保存。请检查该文件是否可写。</source>
        <translation>The settings file &quot;%1&quot; cannot be written; the settings were not saved. Check that the file is writable.</translation>
    </message>
    <message>
        <source>界面语言：</source>
        <translation>Interface language:</translation>
    </message>
    <message>
        <source>跟随系统</source>
        <translation>As the system</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>界面语言将在重新启动程序后更改。</source>
        <translation>The interface language changes when the program is started again.</translation>
    </message>
</context>
<context>
    <name>StartPage</name>
    <message>
        <source>&lt;html&gt;&lt;body style=&quot;font-family:&apos;Microsoft YaHei UI&apos;; font-size:11pt;&quot;&gt;&lt;h2&gt;Qelun工尺谱&lt;/h2&gt;&lt;p&gt;编辑昆曲工尺谱的软件：左边输入唱词，右边逐字输入曲谱，每个唱字对应一行曲谱；曲谱按传统竖排排版，可导出为 PDF、JPG、PNG 和 SVG。&lt;/p&gt;&lt;h3&gt;开始&lt;/h3&gt;&lt;ul&gt;&lt;li&gt;&lt;a href=&quot;qelun:new&quot;&gt;新建&lt;/a&gt;一份曲谱（Ctrl+N）&lt;/li&gt;&lt;li&gt;&lt;a href=&quot;qelun:open&quot;&gt;打开&lt;/a&gt;已有的 .gcp 文件（Ctrl+O）&lt;/li&gt;</source>
        <translation>&lt;html&gt;&lt;body style=&quot;font-family:&apos;Microsoft YaHei UI&apos;; font-size:11pt;&quot;&gt;&lt;h2&gt;Qelun Gongche Score Editor&lt;/h2&gt;&lt;p&gt;An editor of Kunqu-opera scores in gongche notation: type the lyrics on the left and, character by character, the notation on the right, one line of notation for every sung character. The score is typeset vertically, as it always was, and exported as PDF, JPG, PNG and SVG.&lt;/p&gt;&lt;h3&gt;Start&lt;/h3&gt;&lt;ul&gt;&lt;li&gt;&lt;a href=&quot;qelun:new&quot;&gt;New&lt;/a&gt; score (Ctrl+N)&lt;/li&gt;&lt;li&gt;&lt;a href=&quot;qelun:open&quot;&gt;Open&lt;/a&gt; a .gcp file (Ctrl+O)&lt;/li&gt;</translation>
    </message>
    <message>
        <source>&lt;li&gt;看一看示例曲谱：&lt;a href=&quot;qelun:example&quot;&gt;《牡丹亭·游园》【皂罗袍】&lt;/a&gt;&lt;/li&gt;</source>
        <translation>&lt;li&gt;Look at the example score: &lt;a href=&quot;qelun:example&quot;&gt;《牡丹亭·游园》【皂罗袍】&lt;/a&gt;&lt;/li&gt;</translation>
    </message>
    <message>
        <source>&lt;li&gt;示例曲谱《牡丹亭·游园》【皂罗袍】在源代码的 examples 文件夹中（youyuan-zaoluopao.gcp）&lt;/li&gt;</source>
        <translation>&lt;li&gt;The example score 《牡丹亭·游园》【皂罗袍】 is in the examples folder of the source code (youyuan-zaoluopao.gcp)&lt;/li&gt;</translation>
    </message>
    <message>
        <source>&lt;/ul&gt;&lt;h3&gt;帮助&lt;/h3&gt;&lt;p&gt;曲谱输入法的拼音字符对应表和规则见菜单“关于 → &lt;a href=&quot;qelun:help&quot;&gt;帮助&lt;/a&gt;”，也可以点工具栏上的“帮助”按钮。&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;/ul&gt;&lt;h3&gt;Help&lt;/h3&gt;&lt;p&gt;The codes of the notation input method and their rules are under “Help → &lt;a href=&quot;qelun:help&quot;&gt;Help&lt;/a&gt;”, or the Help button of the toolbar.&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
</context>
<context>
    <name>SymbolPalette</name>
    <message>
        <source>工尺字</source>
        <translation>Notes</translation>
    </message>
    <message>
        <source>小号工尺字</source>
        <translation>Small notes</translation>
    </message>
    <message>
        <source>板眼</source>
        <translation>Beat marks</translation>
    </message>
    <message>
        <source>腔格</source>
        <translation>Ornaments</translation>
    </message>
    <message>
        <source>“%1”（%2）不是曲谱符号，导出时按普通文字排印</source>
        <translation>“%1” (%2) is not a notation symbol and is exported as plain text</translation>
    </message>
    <message>
        <source>输入码：%1</source>
        <translation>Codes: %1</translation>
    </message>
</context>
<context>
    <name>UpdateManager</name>
    <message>
        <source>更新提示</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>有新版本可用，请更新！</source>
        <translation>A new version is available; please update!</translation>
    </message>
    <message>
        <source>无法打开下载链接，请到官网下载：%1！</source>
        <translation>The download link cannot be opened; please download from the web site: %1!</translation>
    </message>
</context>
<context>
    <name>WavWriter</name>
    <message>
        <source>没有载入音色库。</source>
        <translation>No sound font is loaded.</translation>
    </message>
    <message>
        <source>乐曲太长，超出 WAV 文件的大小上限。</source>
        <translation>The music is too long for a WAV file.</translation>
    </message>
    <message>
        <source>已中断</source>
        <translation>Interrupted</translation>
    </message>
    <message>
        <source>合成器没有给出全部声音。</source>
        <translation>The synthesiser did not give all of the sound.</translation>
    </message>
</context>
</TS>
