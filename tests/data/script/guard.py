# Disk space guard
"""<parameters><parameter><type>string</type><id>to</id><name>Mail to</name><value>it@example.com</value></parameter></parameters>"""
check()
