<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>quellor::AlarmNotice</name>
    <message>
        <source>闹钟正在响</source>
        <translation>The alarm is ringing</translation>
    </message>
    <message>
        <source>关闭闹钟</source>
        <translation>Stop the alarm</translation>
    </message>
</context>
<context>
    <name>quellor::Caption</name>
    <message>
        <source>软件说明</source>
        <translation>About</translation>
    </message>
    <message>
        <source>提示信息</source>
        <translation>Notice</translation>
    </message>
    <message>
        <source>输入密码</source>
        <translation>Enter password</translation>
    </message>
    <message>
        <source>系统定时操作</source>
        <translation>Timed action</translation>
    </message>
</context>
<context>
    <name>quellor::Form1</name>
    <message>
        <source>定时关机</source>
        <translation>Shutdown</translation>
    </message>
    <message>
        <source>定时关机</source>
        <comment>tooltip</comment>
        <translation>Shut down at a set time</translation>
    </message>
    <message>
        <source>闹钟定时</source>
        <translation>Alarm</translation>
    </message>
    <message>
        <source>闹钟定时</source>
        <comment>tooltip</comment>
        <translation>Set the alarm time</translation>
    </message>
    <message>
        <source>闹钟音乐</source>
        <translation>Music</translation>
    </message>
    <message>
        <source>系统时间</source>
        <translation>System time</translation>
    </message>
    <message>
        <source>系统时间</source>
        <comment>tooltip</comment>
        <translation>System time</translation>
    </message>
    <message>
        <source>锁定计算机</source>
        <translation>Lock</translation>
    </message>
    <message>
        <source>系统设定</source>
        <comment>tooltip</comment>
        <translation>System settings</translation>
    </message>
    <message>
        <source>关闭闹钟</source>
        <translation>Silence</translation>
    </message>
    <message>
        <source>关闭闹钟</source>
        <comment>tooltip</comment>
        <translation>Stop the alarm</translation>
    </message>
    <message>
        <source>取消闹钟</source>
        <translation>No alarm</translation>
    </message>
    <message>
        <source>取消闹钟</source>
        <comment>tooltip</comment>
        <translation>Cancel the alarm</translation>
    </message>
    <message>
        <source>取消关机</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>取消关机</source>
        <comment>tooltip</comment>
        <translation>Cancel the shutdown</translation>
    </message>
    <message>
        <source>快速关机</source>
        <translation>Off now</translation>
    </message>
    <message>
        <source>快速关机</source>
        <comment>tooltip</comment>
        <translation>Shut down at once</translation>
    </message>
    <message>
        <source>软件说明</source>
        <translation>About</translation>
    </message>
    <message>
        <source>软件说明</source>
        <comment>tooltip</comment>
        <translation>About Quellor</translation>
    </message>
</context>
<context>
    <name>quellor::Form10</name>
    <message>
        <source>密码</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>确定(&amp;Y)</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>密码错误</source>
        <translation>Wrong password.</translation>
    </message>
    <message>
        <source>密码错误,如果密码错误超过三次,计算机将关闭!</source>
        <translation>Wrong password! A third wrong password shuts the computer down!</translation>
    </message>
    <message>
        <source>此桌面不允许程序独占屏幕和键盘,程序退出时锁屏也会消失,已同时请求系统锁定本会话。</source>
        <translation>This desktop lets no program hold the screen and the keyboard alone, so the lock ends if the program ends. The system has been asked to lock this session as well.</translation>
    </message>
    <message>
        <source>另一个程序占用着键盘和鼠标,锁屏无法独占它们,已同时请求系统锁定本会话。</source>
        <translation>Another program is holding the keyboard and the mouse, so the lock cannot hold them alone. The system has been asked to lock this session as well.</translation>
    </message>
</context>
<context>
    <name>quellor::Form2</name>
    <message>
        <source>请先定好闹钟的时间,<byte value="xd"/>
再选择你要作为闹钟的音乐！</source>
        <translation>Set the alarm time first,<byte value="xd"/>
then choose the music for the alarm!</translation>
    </message>
    <message>
        <source>返回系统</source>
        <translation>Back</translation>
    </message>
</context>
<context>
    <name>quellor::Form3</name>
    <message>
        <source>工作愉快</source>
        <translation>Enjoy your work</translation>
    </message>
    <message>
        <source>制作：Quellor 开发组<byte value="xd"/>
网址：quellor.invalid</source>
        <translation>Made by the Quellor team<byte value="xd"/>
Web: quellor.invalid</translation>
    </message>
    <message>
        <source>:/assets/splash/splash.bmp</source>
        <comment>the splash picture with its subtitle in this language</comment>
        <translation>:/assets/splash/splash_en.bmp</translation>
    </message>
</context>
<context>
    <name>quellor::Form4</name>
    <message>
        <source>返回系统</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>返回主窗口</source>
        <translation>Back to the main window</translation>
    </message>
    <message>
        <source>软件名称：Quellor4.0<byte value="xd"/>
*****************************<byte value="xd"/>
制作：Quellor 开发组<byte value="xd"/>
网址：quellor.invalid<byte value="xd"/>
邮件：dev@quellor.invalid</source>
        <translation>Program: Quellor4.0<byte value="xd"/>
*****************************<byte value="xd"/>
Made by the Quellor team<byte value="xd"/>
Web: quellor.invalid<byte value="xd"/>
Mail: dev@quellor.invalid</translation>
    </message>
</context>
<context>
    <name>quellor::Form5</name>
    <message>
        <source>定时选项</source>
        <translation>Timer options</translation>
    </message>
    <message>
        <source>启动定时关闭计算机</source>
        <translation>Timed shutdown</translation>
    </message>
    <message>
        <source>启动定时重起计算机</source>
        <translation>Timed restart</translation>
    </message>
    <message>
        <source>启动定时注消计算机</source>
        <translation>Timed log-off</translation>
    </message>
    <message>
        <source>启动定时等待</source>
        <translation>Timed wait</translation>
    </message>
    <message>
        <source>确定(&amp;Y)</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>取消(&amp;C)</source>
        <translation>&amp;Cancel</translation>
    </message>
</context>
<context>
    <name>quellor::Form9</name>
    <message>
        <source>密码:</source>
        <translation>Password:</translation>
    </message>
    <message>
        <source>密码</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>再输入一次:</source>
        <translation>Once more:</translation>
    </message>
    <message>
        <source>再输入一次</source>
        <translation>Password once more</translation>
    </message>
    <message>
        <source>确定(&amp;Y)</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>取消(&amp;C)</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>无法写入密码文件:
%1
计算机未锁定。</source>
        <translation>Cannot write the password file:
%1
The computer is not locked.</translation>
    </message>
    <message>
        <source>上下密码不一致?</source>
        <translation>The two passwords do not match.</translation>
    </message>
</context>
<context>
    <name>quellor::Form_TaskBar</name>
    <message>
        <source>类型不匹配</source>
        <translation>Type mismatch</translation>
    </message>
</context>
<context>
    <name>quellor::IdleHold</name>
    <message>
        <source>定时关机 %1</source>
        <translation>Timed shutdown at %1</translation>
    </message>
    <message>
        <source>闹钟定时 %1</source>
        <translation>Alarm at %1</translation>
    </message>
    <message>
        <source>，</source>
        <comment>between the reasons</comment>
        <translation>, </translation>
    </message>
</context>
<context>
    <name>quellor::MessageBoxes</name>
    <message>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>消息</source>
        <translation>Message</translation>
    </message>
</context>
<context>
    <name>quellor::PowerWarning</name>
    <message numerus="yes">
        <source>将在 %n 秒后%1</source>
        <translation>
            <numerusform>%1 in %n second</numerusform>
            <numerusform>%1 in %n seconds</numerusform>
        </translation>
    </message>
    <message>
        <source>取消关机</source>
        <translation>Cancel shutdown</translation>
    </message>
</context>
<context>
    <name>quellor::PowerWarnings</name>
    <message>
        <source>系统的登录管理服务(logind)不可用。</source>
        <translation>The system&apos;s login manager (logind) is not available.</translation>
    </message>
    <message>
        <source>系统拒绝了此操作,当前用户没有权限。</source>
        <translation>The system refused: this user is not allowed to do it.</translation>
    </message>
    <message>
        <source>此操作需要管理员身份验证。</source>
        <translation>It needs an administrator&apos;s password.</translation>
    </message>
    <message>
        <source>有程序正在阻止此操作。</source>
        <translation>A program is holding it off.</translation>
    </message>
    <message>
        <source>以下程序正在阻止此操作:%1。</source>
        <translation>These programs are holding it off: %1.</translation>
    </message>
    <message>
        <source>、</source>
        <comment>between the names of programs</comment>
        <translation>, </translation>
    </message>
    <message>
        <source>系统的登录管理服务(logind)没有应答。</source>
        <translation>The system&apos;s login manager (logind) did not answer.</translation>
    </message>
    <message>
        <source>此计算机不支持此操作。</source>
        <translation>This computer cannot do it.</translation>
    </message>
    <message>
        <source>找不到当前的登录会话。</source>
        <translation>The current login session cannot be found.</translation>
    </message>
    <message>
        <source>系统返回错误:%1</source>
        <translation>The system answered with an error: %1</translation>
    </message>
    <message>
        <source>关机</source>
        <translation>Shutdown</translation>
    </message>
    <message>
        <source>重新启动</source>
        <translation>Restart</translation>
    </message>
    <message>
        <source>注销</source>
        <translation>Log-off</translation>
    </message>
    <message>
        <source>定时%1可能无法执行:%2
定时仍然有效。</source>
        <translation>%1 at the set time may not happen: %2
The time stays set.</translation>
    </message>
    <message>
        <source>%1失败:%2</source>
        <translation>%1 failed: %2</translation>
    </message>
</context>
<context>
    <name>quellor::Startup</name>
    <message>
        <source>程序已在运行,不能重复运行!</source>
        <translation>The program is already running and cannot run twice!</translation>
    </message>
</context>
<context>
    <name>quellor::SystemMenu</name>
    <message>
        <source>系统菜单</source>
        <translation>System menu</translation>
    </message>
    <message>
        <source>还原(R)</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>移动(M)</source>
        <translation>Move</translation>
    </message>
    <message>
        <source>大小(S)</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>最小化(N)</source>
        <translation>Minimise</translation>
    </message>
    <message>
        <source>最大化(X)</source>
        <translation>Maximise</translation>
    </message>
    <message>
        <source>关闭(C)    Alt+F4</source>
        <translation>Close    Alt+F4</translation>
    </message>
</context>
<context>
    <name>vantrel::Vantrel</name>
    <message>
        <source>最小化</source>
        <translation>Minimise</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
</context>
</TS>
